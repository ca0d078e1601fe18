// The library's calls as JavaScript takes them: texts as strings, instants
// as {seconds: bigint, fraction: number}, a text that does not read as an
// AeonmarkError with the core's words for its problem. Shared by the page
// and the module, which each bundle it after run.js.

// A problem of the core's: problem is the program's words for it, text the
// string it is about (undefined when it is about a number or a Date).
class AeonmarkError extends RangeError {
  constructor(problem, text) {
    super(problemMessage(problem, text));
    this.name = 'AeonmarkError';
    this.problem = problem;
    this.text = text;
  }
}
// "problem: text"; for a text too long to be held with the problem, its
// start and its length, so that the error is made whatever the text.
function problemMessage(problem, text) {
  if (text === undefined) return problem;
  try {
    return `${problem}: ${text}`;
  } catch (error) {
    if (!(error instanceof RangeError)) throw error;
    return `${problem}: ${text.slice(0, 64)}… (${text.length} characters)`;
  }
}

// The calls on a loaded core. Each hands its values over in the core's
// memory (call_places in entry.cpp), through the core's views of it, which
// it makes again when the memory grows, and keeps nothing between calls.
function aeonmarkCalls(core) {
  const [instantAt, otherAt, unixAt, nanosecondsAt, lengthAt, claimerAt, lettersAt, lettersSize, lineAt, lineSize,
    textAt, textSize] = new Uint32Array(core.HEAPU8.buffer, core._web_call_places(), 12);
  const decoder = new TextDecoder();
  const stringAt = (at) => decoder.decode(core.HEAPU8.subarray(at, core.HEAPU8.indexOf(0, at)));
  const readers = stringAt(core._web_readers());
  const [UNRECOGNISED, BAD_NOTATIONS, BAD_DIGITS, BILLION, UNIX_EPOCH] = [1, 12, 13, 1000000000n, 62135769600n];
  const problems = [];
  const words = (problem) => (problems[problem] ??= stringAt(core._aeonmark_problem_text(problem)));
  const failed = (problem, text) => new AeonmarkError(words(problem), text);
  const typeOf = (value) => (value === null ? 'null' : Array.isArray(value) ? 'an array' : typeof value);

  // call(at, length) on the string's UTF-8 at at, in room bytes, or in memory
  // of its own; a lone surrogate as U+FFFD (the encoder's), which no notation
  // has. ASCII, every date text, is copied a byte a character: a TextEncoder
  // costs a browser more than the conversion.
  const encoder = new TextEncoder();
  function withBytes(string, at, room, call) {
    const [heap, most] = [core.HEAPU8, Math.min(string.length, room)];
    let ascii = 0;
    for (let c; ascii < most && (c = string.charCodeAt(ascii)) < 0x80; ++ascii) heap[at + ascii] = c;
    if (ascii === string.length) return call(at, ascii);
    const bytes = encoder.encode(string);
    const own = bytes.length <= room ? at : core._malloc(bytes.length);
    if (own === 0) throw new RangeError(`no memory for a text of ${bytes.length} bytes`);
    try {
      core.HEAPU8.set(bytes, own);
      return call(own, bytes.length);
    } finally {
      if (own !== at) core._free(own);
    }
  }

  // call(letters, digits): the letters ended by a NUL (one among them, which
  // would end them early, as U+FFFD), kept while they are the last asked for;
  // digits no int holds as -1, which the library refuses as it would them.
  let asked = null;
  function withLetters(notations, digits, call) {
    if (typeof notations !== 'string') throw new TypeError(`${words(BAD_NOTATIONS)}, not ${typeOf(notations)}`);
    if (typeof digits !== 'number') throw new TypeError(`${words(BAD_DIGITS)}, not ${typeOf(digits)}`);
    const int = digits === (digits | 0) ? digits : -1;
    if (notations === asked) return call(lettersAt, int);
    asked = null;
    return withBytes(`${notations.replaceAll('\0', '\uFFFD')}\0`, lettersAt, lettersSize, (at) => {
      if (at === lettersAt) asked = notations;
      return call(at, int);
    });
  }
  // The instant's line, all ASCII: a character a byte, as a TextDecoder gives
  // it at many times the cost in a browser. Size 0 checks letters and digits.
  const bytes = [];
  function line(letters, digits, notations, size = lineSize) {
    const problem = core._aeonmark_write_line(instantAt, letters, digits, lineAt, size, lengthAt);
    if (problem !== 0) throw failed(problem, problem === BAD_NOTATIONS ? notations : undefined);
    const heap = core.HEAPU8;
    bytes.length = size && core.HEAPU32[lengthAt / 4];
    for (let i = 0; i < bytes.length; ++i) bytes[i] = heap[lineAt + i];
    return String.fromCharCode.apply(null, bytes);
  }

  const instantRead = () => ({ seconds: core.HEAPU64[instantAt / 8], fraction: core.HEAPU32[instantAt / 4 + 2] });
  function putInstant(instant, at = instantAt) {
    const { seconds, fraction } = instant ?? {};
    if (typeof seconds !== 'bigint' || typeof fraction !== 'number')
      throw new TypeError('an instant is {seconds: bigint, fraction: number}');
    if (BigInt.asUintN(64, seconds) !== seconds || fraction >>> 0 !== fraction)
      throw new RangeError(`an instant's seconds are 0 to 2^64 - 1 and its fraction 0 to 2^32 - 1, not ${seconds} and ${fraction}`);
    core.HEAPU64[at / 8] = seconds;
    core.HEAPU32[at / 4 + 2] = fraction;
  }

  // The problem of reading text, as its bytes lie (a NUL among them is a
  // byte no notation has), and its instant at instantAt on none.
  function readInto(text) {
    if (typeof text !== 'string') throw new TypeError(`a text is a string, not ${typeof text}`);
    return withBytes(text, textAt, textSize, (at, length) => core._aeonmark_read_n(at, length, instantAt, claimerAt));
  }
  // The instant of text, read by the notation that claims it, which must be
  // notation when given: no two notations' texts have the same shape.
  function readText(text, notation) {
    const problem = readInto(text);
    if (notation !== undefined && core.HEAPU8[claimerAt] !== notation.charCodeAt(0)) throw failed(UNRECOGNISED, text);
    if (problem !== 0) throw failed(problem, text);
    return instantRead();
  }
  const read = (text) => readText(text);
  const tryRead = (text) => (readInto(text) === 0 ? instantRead() : null);
  // One letter of a notation that reads, in the words of every face's
  // read_as: the library's check of letters is a line's.
  const readAs = (notation, text) => {
    if (typeof notation !== 'string') throw new TypeError(`a notation is a string, not ${typeOf(notation)}`);
    if (notation.length !== 1 || !readers.includes(notation))
      throw new AeonmarkError(`notations read are letters of ${readers}`, notation);
    return readText(text, notation);
  };

  // One letter: more are refused in the library's words for letters, as in
  // every face's write.
  const write = (instant, notation, digits = 2) => withLetters(notation, digits, (at, int) => {
    if (notation.length !== 1) throw failed(BAD_NOTATIONS, notation);
    putInstant(instant);
    return line(at, int, notation);
  });
  // The line's texts, split at its spaces, which no text holds (split costs
  // a text alone more than its conversion). A mistake in the letters or
  // digits is refused whatever the text.
  const convert = (text, notations = 's', digits = 2) => withLetters(notations, digits, (at, int) => {
    const problem = readInto(text);
    const texts = line(at, int, notations, problem === 0 ? lineSize : 0);
    if (problem !== 0) throw failed(problem, text);
    return texts.includes(' ') ? texts.split(' ') : [texts];
  });

  function compare(a, b) {
    putInstant(a);
    putInstant(b, otherAt);
    return core._aeonmark_compare(instantAt, otherAt);
  }

  function fromUnix(seconds) {
    if (typeof seconds !== 'bigint' && typeof seconds !== 'number')
      throw new TypeError(`Unix seconds are a bigint or a number, not ${typeof seconds}`);
    if (typeof seconds === 'number' && !Number.isSafeInteger(seconds))
      throw new RangeError(`Unix seconds as a number are a safe integer (else a bigint), not ${seconds}`);
    return fromUnixNanoseconds(BigInt(seconds) * BILLION);
  }
  // n / d taken toward the past, as the parts of Unix time are.
  const floor = (n, d) => (n - (((n % d) + d) % d)) / d;
  // Seconds past 64 bits are read as a Unix text, as the reader knows where
  // the range ends, and their nanoseconds' fraction is the library's at
  // Unix 0: the nanoseconds alone decide it.
  function fromUnixNanoseconds(nanoseconds) {
    if (typeof nanoseconds !== 'bigint') throw new TypeError(`Unix nanoseconds are a bigint, not ${typeOf(nanoseconds)}`);
    const seconds = floor(nanoseconds, BILLION);
    const [rest, fits] = [nanoseconds - seconds * BILLION, BigInt.asIntN(64, seconds) === seconds];
    const problem = fits ? core._aeonmark_from_unix_ns(seconds, Number(rest), instantAt) : readInto(`U${seconds}`);
    if (problem !== 0) throw failed(problem);
    const instant = instantRead();
    return fits ? instant : { seconds: instant.seconds, fraction: fromUnixNanoseconds(rest).fraction };
  }
  // Past 64 bits, the seconds of the instant's Unix text and the nanoseconds
  // of its fraction at Unix 0: the fraction alone decides them.
  function toUnixNanoseconds(instant) {
    putInstant(instant);
    if (core._aeonmark_to_unix_ns(instantAt, unixAt, nanosecondsAt) === 0)
      return core.HEAP64[unixAt / 8] * BILLION + BigInt(core.HEAPU32[nanosecondsAt / 4]);
    const seconds = BigInt(write(instant, 'u', 0).slice(1));
    return seconds * BILLION + toUnixNanoseconds({ seconds: UNIX_EPOCH, fraction: instant.fraction });
  }
  const toUnix = (instant) => floor(toUnixNanoseconds(instant), BILLION);

  // A Date's milliseconds are nanoseconds to the library, which takes them
  // up to the next 2^-32 s and gives them back cut: so toDate(fromDate(d))
  // is d. getTime's own TypeError for no Date lets a Date of another realm
  // pass, as instanceof would not.
  function fromDate(date) {
    const time = Date.prototype.getTime.call(date);
    if (Number.isNaN(time)) throw new RangeError('Invalid Date');
    return fromUnixNanoseconds(BigInt(time) * 1000000n);
  }
  function toDate(instant) {
    const date = new Date(Number(floor(toUnixNanoseconds(instant), 1000000n)));
    if (Number.isNaN(date.getTime())) throw new RangeError(`a Date cannot hold ${write(instant, 'g')}`);
    return date;
  }
  // The clock's milliseconds as fromDate takes them: toDate(now()) is its Date.
  const now = () => fromDate(new Date());

  // The aeonmark regions' boundaries in the core's table, first instant to
  // last: {unix, seconds, aeonmark, gregorian, days}, days the length of the
  // counts up to the next (absent on the last), each but the last a count's start.
  function regions() {
    return stringAt(core._web_timeline()).trimEnd().split('\n').map((line) => {
      const [unix, days] = line.split(' ');
      const start = readAs('u', unix);
      return { unix, seconds: toUnix(start), aeonmark: write(start, 's', 0), gregorian: write(start, 'g'), days };
    });
  }

  const programName = stringAt(core._web_program_name());
  return { read, tryRead, readAs, write, convert, compare, fromUnix, toUnix, fromUnixNanoseconds, toUnixNanoseconds,
    fromDate, toDate, now, regions, programName };
}
