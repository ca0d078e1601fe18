// The npm package's module, for node and browsers alike: the core loaded
// once here, then the library's calls and the command line's run, each
// synchronous (aeonmark.d.ts says what each does).
const aeonmark = await loadAeonmark(createCore);

export const { read, tryRead, readAs, write, convert, compare, fromUnix, toUnix, fromUnixNanoseconds, toUnixNanoseconds,
  fromDate, toDate, now, run } = aeonmark;
export { AeonmarkError };
