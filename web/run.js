// The command line, callable. Shared by the page's script and the modules,
// which each bundle it after the compiled core (createCore) and its
// WebAssembly (coreWasm, base64) and before calls.js.

// Loads the core and returns run and the library's calls (calls.js): a
// promise, the WebAssembly compiled in the background as a page must
// compile it; or with now, at once, as node allows at any size, for a
// CommonJS require(), which cannot wait.
// - run(args, clock, write): runs the program once on args, the arguments
//   after its name (each a string, written in UTF-8, or a Uint8Array of the
//   bytes a shell would pass), with clock, whole seconds of Unix time (a
//   number or a BigInt), as the current time. Returns {status, stdout,
//   stderr, writes}: the exit status, the bytes of each stream as
//   Uint8Arrays, and both streams' writes in the order made, {fd, bytes}
//   each, for one file that holds both. Given write(fd, bytes), each write
//   goes there instead, as it is made (the streams and writes are then
//   empty), and one that throws an error with an errno name as its code is
//   a lost write. Whatever else it throws, run throws once the core's run
//   has ended, the run's later writes lost unmade. Runs share nothing; a
//   write may make the library's calls, but not start another run, which
//   would overwrite this one's arguments.
function loadAeonmark(createCore, now = false) {
  let writes = [];
  const keep = (fd, bytes) => writes.push({ fd, bytes });
  let writer = keep;
  // What the run's write threw that was no lost write, as {error}.
  let thrown = null;
  const LOST = Object.freeze({ code: 'EIO' });
  const lost = () => {
    throw LOST;
  };
  // The loader hands over the imports and takes the instance back; it would
  // only log a failure here and never be ready, so the failure is kept.
  let instantiating;
  let failure = null;
  const core = {
    write: (fd, bytes) => writer(fd, bytes),
    thrown: (error) => {
      thrown = { error };
      writer = lost;
    },
    instantiateWasm(imports, receive) {
      const bytes = Uint8Array.from(atob(coreWasm), (c) => c.charCodeAt(0));
      if (!now) {
        instantiating = WebAssembly.instantiate(bytes, imports).then(({ instance }) => receive(instance));
        return {};
      }
      try {
        const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
        receive(instance);
        return instance.exports;
      } catch (error) {
        failure = { error };
        return {};
      }
    },
  };
  // The loader fills in the object it is given, ready once it has the
  // instance: at once when given it at once.
  const ready = createCore(core);
  return now ? loaded() : instantiating.then(() => ready).then(loaded);

  // run and the library's calls on the loaded core.
  function loaded() {
    if (failure !== null) throw failure.error;
    if (!core.calledRun) throw new Error('the WebAssembly core did not start');
    const space = core._web_arguments();
    const spaceEnd = space + core._web_argument_bytes();
    const encoder = new TextEncoder();

    function run(args, clock, write = keep) {
      if (writer !== keep) throw new Error('run() called from the write of a run under way');
      if (!Array.isArray(args)) throw new TypeError('the arguments are an array');
      if (typeof write !== 'function') throw new TypeError(`write is a function, not ${typeof write}`);
      if (typeof clock !== 'bigint' && typeof clock !== 'number')
        throw new TypeError(`the clock is a bigint or a number, not ${typeof clock}`);
      const seconds = BigInt(clock);
      if (BigInt.asIntN(64, seconds) !== seconds) throw new RangeError('the clock is past 64 bits');
      let at = space;
      for (const arg of args) {
        const bytes = typeof arg === 'string' ? encoder.encode(arg) : arg;
        if (typedArrayName.call(bytes) !== 'Uint8Array')
          throw new TypeError('an argument is a string or a Uint8Array');
        if (bytes.includes(0)) throw new TypeError('an argument cannot hold a NUL byte');
        if (at + bytes.length + 1 > spaceEnd) throw new RangeError('argument list too long');
        core.HEAPU8.set(bytes, at);
        at += bytes.length;
        core.HEAPU8[at++] = 0;
      }
      writes = [];
      writer = write;
      thrown = null;
      let status;
      try {
        status = core._web_run(args.length, seconds);
      } finally {
        writer = keep;
      }
      if (thrown !== null) {
        const { error } = thrown;
        thrown = null;
        throw error;
      }
      return { status, stdout: joined(writes, 1), stderr: joined(writes, 2), writes };
    }

    return { run, ...aeonmarkCalls(core) };
  }
}

// The kind of a typed array, of any realm (instanceof knows only this one's);
// undefined for anything else.
const typedArrayName = Object.getOwnPropertyDescriptor(
  Object.getPrototypeOf(Uint8Array.prototype), Symbol.toStringTag).get;

// The bytes written to fd, in one array.
function joined(writes, fd) {
  const chunks = writes.filter((write) => write.fd === fd).map((write) => write.bytes);
  const all = new Uint8Array(chunks.reduce((size, chunk) => size + chunk.length, 0));
  let at = 0;
  for (const chunk of chunks) {
    all.set(chunk, at);
    at += chunk.length;
  }
  return all;
}
