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
// memory (call_places in entry.cpp) and keeps nothing between calls.
function aeonmarkCalls(core) {
  const [instantAt, unixAt, writtenAt, writtenSize, textAt, textSize] = new Uint32Array(
    core.HEAPU8.buffer, core._web_call_places(), 6);
  // Views of the memory, made again once it has grown.
  let heap, view, textSpace;
  const fresh = () => {
    if (heap === core.HEAPU8) return;
    heap = core.HEAPU8;
    view = new DataView(heap.buffer);
    textSpace = heap.subarray(textAt, textAt + textSize - 1);
  };
  fresh();
  const decoder = new TextDecoder();
  const stringAt = (at) => {
    fresh();
    return decoder.decode(heap.subarray(at, heap.indexOf(0, at)));
  };
  const [letters, readers] = [false, true].map((only) => stringAt(core._web_letters(only)));
  const DIGITS_MAX = core._web_digits_max();
  const UNIX = 'u'.charCodeAt(0);
  // The words every face has for notations and digits it cannot take.
  const [NOTATIONS, DIGITS] = [`notations are letters of ${letters}`, `digits are 0 to ${DIGITS_MAX}`];
  const problems = [];
  const failed = (problem, text) =>
    new AeonmarkError((problems[problem] ??= stringAt(core._aeonmark_problem_text(problem))), text);

  // call(at) with the text's UTF-8 at at, ended by a NUL. A lone surrogate,
  // which UTF-8 cannot hold, crosses as U+FFFD (the encoder's own); so does
  // a NUL, which would end the text early (web_text_whole, in one pass over
  // the bytes): the core reads the whole text, with a character no notation
  // has in their place.
  //
  // ASCII, which every date text is, is copied a byte a character: a
  // TextEncoder costs a browser more than the conversion.
  const encoder = new TextEncoder();
  function withText(text, call) {
    if (typeof text !== 'string') throw new TypeError(`a text is a string, not ${typeof text}`);
    fresh();
    let ascii = 0;
    for (const most = Math.min(text.length, textSize - 1); ascii < most; ++ascii) {
      const c = text.charCodeAt(ascii);
      if (c === 0 || c > 0x7f) break;
      heap[textAt + ascii] = c;
    }
    if (ascii === text.length) {
      heap[textAt + ascii] = 0;
      return call(textAt);
    }
    const { read, written } = encoder.encodeInto(text, textSpace);
    if (read === text.length) return withWhole(textAt, written, textSize, call);
    const bytes = encoder.encode(text);
    const at = core._malloc(bytes.length + 1);
    if (at === 0) throw noMemory(bytes.length);
    try {
      fresh();
      heap.set(bytes, at);
      return withWhole(at, bytes.length, bytes.length + 1, call);
    } finally {
      core._free(at);
    }
  }
  // call on the size bytes at at, in room bytes, with their NULs replaced.
  function withWhole(at, size, room, call) {
    const whole = core._web_text_whole(at, size, room);
    if (whole === 0) throw noMemory(size);
    try {
      return call(whole);
    } finally {
      if (whole !== at) core._free(whole);
    }
  }
  const noMemory = (bytes) => new RangeError(`no memory for a text of ${bytes} bytes`);

  function instantRead() {
    fresh();
    return { seconds: view.getBigUint64(instantAt, true), fraction: view.getUint32(instantAt + 8, true) };
  }
  function putInstant(instant) {
    const { seconds, fraction } = instant ?? {};
    if (typeof seconds !== 'bigint' || typeof fraction !== 'number')
      throw new TypeError('an instant is {seconds: bigint, fraction: number}');
    if (BigInt.asUintN(64, seconds) !== seconds || fraction >>> 0 !== fraction)
      throw new RangeError(`an instant's seconds are 0 to 2^64 - 1 and its fraction 0 to 2^32 - 1, not ${seconds} and ${fraction}`);
    fresh();
    view.setBigUint64(instantAt, seconds, true);
    view.setUint32(instantAt + 8, fraction, true);
  }
  const typeOf = (value) => (value === null ? 'null' : Array.isArray(value) ? 'an array' : typeof value);
  // notations, a string of at least one notation's letter and no other.
  function checkNotations(notations) {
    if (typeof notations !== 'string') throw new TypeError(`${NOTATIONS}, not ${typeOf(notations)}`);
    if (notations === '' || [...notations].some((letter) => !letters.includes(letter)))
      throw new AeonmarkError(NOTATIONS, notations);
  }
  // The letter's code, when notation is one of allowed: those that write
  // or those that read ('x' is written only).
  function letterOf(notation, allowed, as) {
    if (typeof notation !== 'string' || notation.length !== 1 || !allowed.includes(notation)) {
      checkNotations(notation);
      throw new RangeError(`${as} one notation, one letter of ${allowed}, not ${notation}`);
    }
    return notation.charCodeAt(0);
  }
  function checkDigits(digits) {
    if (typeof digits !== 'number') throw new TypeError(`${DIGITS}, not ${typeOf(digits)}`);
    if (!Number.isInteger(digits) || digits < 0 || digits > DIGITS_MAX) throw new AeonmarkError(DIGITS);
  }
  // The text of the instant at instantAt, all ASCII: a character a byte, as
  // a TextDecoder would give it at many times the cost in a browser.
  const bytes = [];
  function written(letter, digits) {
    const length = core._aeonmark_write(instantAt, letter, digits, writtenAt, writtenSize);
    fresh();
    bytes.length = length;
    for (let i = 0; i < length; ++i) bytes[i] = heap[writtenAt + i];
    return String.fromCharCode.apply(null, bytes);
  }

  function readText(letter, text) {
    const problem = withText(text, (at) =>
      letter === 0 ? core._aeonmark_read(at, instantAt) : core._aeonmark_read_notation(letter, at, instantAt));
    if (problem !== 0) throw failed(problem, text);
    return instantRead();
  }
  const read = (text) => readText(0, text);
  const readAs = (notation, text) => readText(letterOf(notation, readers, 'a text is read as'), text);

  function write(instant, notation, digits = 2) {
    const letter = letterOf(notation, letters, 'an instant is written in');
    checkDigits(digits);
    putInstant(instant);
    return written(letter, digits);
  }

  // The letters of the last notations asked for, in table order, each once.
  let asked = 's';
  let codes = [asked.charCodeAt(0)];
  function convert(text, notations = 's', digits = 2) {
    if (notations !== asked) {
      checkNotations(notations);
      codes = [...letters].filter((letter) => notations.includes(letter)).map((letter) => letter.charCodeAt(0));
      asked = notations;
    }
    checkDigits(digits);
    const problem = withText(text, (at) => core._aeonmark_read(at, instantAt));
    if (problem !== 0) throw failed(problem, text);
    return codes.map((letter) => written(letter, digits));
  }

  // Unix time past 64 bits, or past the range, is read as a Unix text: the
  // reader knows where the range ends.
  function fromUnix(seconds) {
    if (typeof seconds === 'number') {
      if (!Number.isSafeInteger(seconds))
        throw new RangeError(`Unix seconds as a number are a safe integer (else a bigint), not ${seconds}`);
      seconds = BigInt(seconds);
    } else if (typeof seconds !== 'bigint') {
      throw new TypeError(`Unix seconds are a bigint or a number, not ${typeof seconds}`);
    }
    const problem = BigInt.asIntN(64, seconds) === seconds
      ? core._aeonmark_from_unix(seconds, instantAt)
      : withText(`U${seconds}`, (at) => core._aeonmark_read_notation(UNIX, at, instantAt));
    if (problem !== 0) throw failed(problem);
    return instantRead();
  }
  // Past 64 bits, the digits of the instant's Unix text.
  function toUnix(instant) {
    putInstant(instant);
    if (core._aeonmark_to_unix(instantAt, unixAt) === 0) return view.getBigInt64(unixAt, true);
    return BigInt(written(UNIX, 0).slice(1));
  }

  // A Date's milliseconds become 2^-32 s taken up, as the readers take a part
  // of a second, and come back taken down, as the writers give it: so
  // toDate(fromDate(date)) is date again.
  const FRACTIONS = 2 ** 32;
  function fromDate(date) {
    // getTime's own check, which a Date of another realm passes and
    // instanceof would not.
    let time;
    try {
      time = Date.prototype.getTime.call(date);
    } catch {
      throw new TypeError('fromDate takes a Date');
    }
    if (Number.isNaN(time)) throw new RangeError('Invalid Date');
    const milliseconds = ((time % 1000) + 1000) % 1000;
    const instant = fromUnix((time - milliseconds) / 1000);
    return { seconds: instant.seconds, fraction: Math.ceil((milliseconds * FRACTIONS) / 1000) };
  }
  function toDate(instant) {
    const milliseconds = toUnix(instant) * 1000n + BigInt(Math.floor((instant.fraction * 1000) / FRACTIONS));
    const date = new Date(Number(milliseconds));
    if (Number.isNaN(date.getTime())) throw new RangeError(`a Date cannot hold ${write(instant, 'g')}`);
    return date;
  }

  // The clock's milliseconds as fromDate takes them, so that toDate(now())
  // is the clock's Date.
  const now = () => fromDate(new Date());

  // The boundaries of the aeonmark regions, from the core's table, in time
  // order: {unix, seconds, aeonmark, gregorian, days} each, Unix text and
  // seconds, from the first instant to the last; days, the length in days
  // of the counts up to the next boundary, is absent on the last. Each
  // boundary but the last lies at the start of a count, which its text names
  // without a fraction.
  function regions() {
    fresh();
    return stringAt(core._web_timeline()).trimEnd().split('\n').map((line) => {
      const [unix, days] = line.split(' ');
      const start = readAs('u', unix);
      return { unix, seconds: toUnix(start), aeonmark: write(start, 's', 0), gregorian: write(start, 'g'), days };
    });
  }

  fresh();
  const programName = stringAt(core._web_program_name());
  return { read, readAs, write, convert, fromUnix, toUnix, fromDate, toDate, now, regions, programName };
}
