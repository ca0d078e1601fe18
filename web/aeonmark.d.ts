/**
 * aeonmark: exact conversion of an instant between the aeonmark era/count
 * notation, the proleptic Julian and Gregorian calendars, the
 * 365.2425-day mean-year calendar, and Unix time in decimal and hexadecimal.
 *
 * The core is the aeonmark program's own, compiled to WebAssembly and
 * loaded once when the module is imported or required; every call after
 * that is synchronous, keeps nothing between calls, and gives exactly the
 * texts and problems that the command line gives.
 *
 * The notations, by their letters, in the order in which a text is offered
 * to their readers and in which texts are written:
 * - `s` aeonmark, `[era]count.fraction`: `[-36]9350.00`
 * - `j` Julian, `year=month=dayThh:mm:ss`: `1969=12=19T00:00:00`
 * - `g` Gregorian, `year-month-dayThh:mm:ss`: `1970-01-01T00:00:00`
 * - `q` mean-year, `year*month*dayThh:mm:ss`: `1970*01*01T14:27:01`
 * - `u` Unix time, `U`, an optional `-`, decimal seconds: `U0`
 * - `x` Unix time in hexadecimal, `U0x0`: written only, as `u` reads it
 */

/** A notation that can be written. */
export type Notation = 's' | 'j' | 'g' | 'q' | 'u' | 'x';
/** A notation that can be read: every one but `x`, whose texts `u` reads. */
export type ReadableNotation = 's' | 'j' | 'g' | 'q' | 'u';

/**
 * An instant: whole seconds since 0001-01-01T00:00:00 of the proleptic
 * Julian calendar (0000-12-30T00:00:00 Gregorian), 0 to 2^64 - 1, and the
 * part of a second after them in units of 2^-32 s, 0 to 2^32 - 1. Unix
 * time 0 is `{seconds: 62135769600n, fraction: 0}`. Any object of this
 * shape is an instant; one outside these ranges is a RangeError wherever
 * it is given.
 */
export interface Instant {
  seconds: bigint;
  fraction: number;
}

/**
 * Thrown when the core refuses a text or a value: a text no notation reads,
 * a time outside the range ("date is out of acceptable range"), notations
 * that are no letters of s j g q u x ("notations are letters of sjgqux"),
 * or digits outside 0 to 6 ("digits are 0 to 6"), in the words every face
 * of the library gives. A RangeError.
 */
export class AeonmarkError extends RangeError {
  constructor(problem: string, text?: string);
  /** The program's words for the problem: `"day is out of range"`. */
  readonly problem: string;
  /** The string refused, as given; undefined for a number, a bigint or a Date. */
  readonly text: string | undefined;
  /**
   * `"problem: text"`, or the problem alone when there is no text; for a
   * text too long for one string with the problem, its first 64 characters
   * and its length.
   */
  readonly message: string;
  readonly name: 'AeonmarkError';
}

/**
 * Reads a text in whichever notation claims it, in the order s j g q u:
 * exactly the command line's verdict for the same argument. The whole text
 * must be the date, with no space around it. Every character is read: a
 * NUL is one no notation takes, and so is a lone surrogate, which crosses
 * as U+FFFD; so a text never reads as a part of itself.
 * @throws {AeonmarkError} when no notation reads it; `problem` says why.
 * @throws {TypeError} when text is not a string.
 * @example read("U0") // {seconds: 62135769600n, fraction: 0}
 */
export function read(text: string): Instant;

/**
 * As read, but null for a text that does not read.
 * @throws {TypeError} when text is not a string.
 * @example tryRead("2000-02-30") // null
 */
export function tryRead(text: string): Instant | null;

/**
 * Reads a text as one notation only.
 * @throws {AeonmarkError} as read does; "date format unrecognised" when
 *   the text is not that notation's; "notations read are letters of sjgqu"
 *   for anything but one letter of these.
 * @throws {TypeError} when notation or text is not a string.
 * @example readAs("g", "1970-01-01") // {seconds: 62135769600n, fraction: 0}
 */
export function readAs(notation: ReadableNotation, text: string): Instant;

/**
 * Writes an instant in one notation. digits, 0 to 6, is the number of
 * aeonmark fraction digits (`s` only). Writers drop what lies below their
 * last digit and never round up.
 * @throws {AeonmarkError} "notations are letters of sjgqux" for a notation
 *   with no letter, more than one, or one that is no notation's; "digits
 *   are 0 to 6" for digits outside 0 to 6 or not an integer.
 * @throws {RangeError} for an instant outside its ranges.
 * @throws {TypeError} when notation is not a string or digits not a number.
 * @example write({seconds: 62135769600n, fraction: 0}, "j") // "1969=12=19T00:00:00"
 */
export function write(instant: Instant, notation: Notation, digits?: number): string;

/**
 * Reads a text as read does and writes the instant in every notation that
 * notations names, in table order (s j g q u x) and each once, as one
 * command-line line gives them.
 * @param notations letters of s j g q u x, at least one, default "s".
 * @param digits aeonmark fraction digits, 0 to 6, default 2.
 * @throws {AeonmarkError} when no notation reads the text; "notations are
 *   letters of sjgqux" for notations with no letter or a letter that is no
 *   notation's, and "digits are 0 to 6" for digits outside 0 to 6 or not an
 *   integer, whatever the text.
 * @throws {TypeError} when text or notations is not a string, or digits
 *   not a number.
 * @example convert("U0", "jg") // ["1969=12=19T00:00:00", "1970-01-01T00:00:00"]
 */
export function convert(text: string, notations?: string, digits?: number): string[];

/**
 * -1, 0 or 1 as instant a is before, at or after instant b.
 * @throws {RangeError} for an instant outside its ranges.
 * @throws {TypeError} for anything but an instant.
 * @example compare(read("U0"), read("1970-01-01T00:00:01")) // -1
 */
export function compare(a: Instant, b: Instant): -1 | 0 | 1;

/**
 * The instant of a Unix time in whole seconds: a bigint of any size, or a
 * number that is a safe integer.
 * @throws {AeonmarkError} "date is out of acceptable range" before the
 *   first instant or past the last.
 * @throws {RangeError} for a number that is not a safe integer.
 * @example fromUnix(0) // {seconds: 62135769600n, fraction: 0}
 */
export function fromUnix(seconds: bigint | number): Instant;

/**
 * The Unix time of an instant in whole seconds, the fraction dropped (the
 * floor, as `u` writes it), for every instant.
 * @example toUnix(read("2000-01-01")) // 946684800n
 */
export function toUnix(instant: Instant): bigint;

/**
 * The instant of a Unix time in nanoseconds, a bigint of any size (as
 * `process.hrtime.bigint()` and a Date's milliseconds times 10^6 are): its
 * part of a second taken up to the next 2^-32 s, as the readers take one,
 * so that toUnixNanoseconds gives the same nanoseconds back.
 * @throws {AeonmarkError} "date is out of acceptable range" before the
 *   first instant or past the last.
 * @throws {TypeError} for anything but a bigint.
 * @example fromUnixNanoseconds(1500000000n) // {seconds: 62135769601n, fraction: 2147483648}
 */
export function fromUnixNanoseconds(nanoseconds: bigint): Instant;

/**
 * The Unix time of an instant in whole nanoseconds, the rest dropped
 * (toward the past, as the writers cut), for every instant.
 * @example toUnixNanoseconds(read("[21]00000.5")) // 11139567778476000000n
 */
export function toUnixNanoseconds(instant: Instant): bigint;

/**
 * The instant of a Date, of this realm or another (a frame's, a vm
 * context's): fromUnixNanoseconds of its milliseconds, so that
 * `toDate(fromDate(date))` is the same time again.
 * @throws {AeonmarkError} for a Date before the first instant (Gregorian
 *   0000-12-30).
 * @throws {RangeError} for an invalid Date.
 * @throws {TypeError} for anything but a Date.
 */
export function fromDate(date: Date): Instant;

/**
 * The Date of an instant: toUnixNanoseconds cut to whole milliseconds
 * (toward the past, as the writers cut).
 * @throws {RangeError} for an instant past the years a Date holds
 *   (Gregorian 275760).
 */
export function toDate(instant: Instant): Date;

/**
 * The current time, from the system's clock as the environment gives it
 * (a Date in JavaScript: whole milliseconds), as fromDate takes it, so
 * that `toDate(now())` is the clock's Date.
 */
export function now(): Instant;

/**
 * Runs the command line once: args are the arguments after the program's
 * name (each a string, written in UTF-8, or a Uint8Array of exact bytes;
 * none may hold a NUL), clock the current time in whole seconds of Unix
 * time, used when no date is given. Each write of the program goes to
 * write(fd, bytes) as it is made when given, or else is kept in `stdout`,
 * `stderr` and `writes`. A write that throws an error with an errno name
 * as its `code`, such as "ENOSPC", is a lost write, which the program
 * reports as it does on a system; whatever else it throws, run throws once
 * the program's run has ended, making none of the run's later writes. A
 * write may call the functions above, but not run again: that throws.
 * @returns the exit status, standard output and error as bytes, and both
 *   streams' writes in the order made.
 * @throws {RangeError} when the arguments pass 1 MiB, as a system refuses
 *   a command line too long.
 * @throws {TypeError} when args is not an array of strings and
 *   Uint8Arrays, clock not a bigint or a number, or write not a function.
 */
export function run(
  args: ReadonlyArray<string | Uint8Array>,
  clock: bigint | number,
  write?: (fd: 1 | 2, bytes: Uint8Array) => void,
): {
  status: number;
  stdout: Uint8Array;
  stderr: Uint8Array;
  writes: { fd: 1 | 2; bytes: Uint8Array }[];
};
