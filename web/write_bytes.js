// Standard output and error reach JavaScript as the bytes written, each
// write whole, through Module.write(fd, bytes). The stock writer of a build
// without a file system decodes text a line at a time and so loses bytes
// that are not UTF-8, and the file system's own streams would double the
// script's size. A write that throws an error with an errno name as its code
// (as node's file writes do) fails with that errno, so the core reports a
// lost write as the program does. Anything else it throws goes to
// Module.thrown, and the write fails as EIO: thrown through the core, it
// would leave the core's run half done.
mergeInto(LibraryManager.library, {
  fd_write__deps: ['$ERRNO_CODES'],
  fd_write: function (fd, iov, iovcnt, pnum) {
    var written = 0;
    for (var i = 0; i < iovcnt; i++, iov += 8) {
      var ptr = HEAPU32[iov >> 2];
      var len = HEAPU32[(iov + 4) >> 2];
      if (len === 0) continue; // the C library's unbuffered writes lead with an empty one
      try {
        Module['write'](fd, HEAPU8.slice(ptr, ptr + len));
      } catch (error) {
        var code;
        try {
          code = error.code;
        } catch (notAnObject) {}
        if (typeof code === 'string' && Object.prototype.hasOwnProperty.call(ERRNO_CODES, code))
          return ERRNO_CODES[code];
        Module['thrown'](error);
        return ERRNO_CODES.EIO;
      }
      written += len;
    }
    HEAPU32[pnum >> 2] = written;
    return 0;
  },
});
