// The program on node: node aeonmark-node.mjs [ARGS...] prints what run
// returns on the two streams and exits with its status, with the system
// clock as the current time.
import { readFileSync, writeSync } from 'node:fs';
import { run } from './aeonmark.mjs';

// process.argv has decoded each argument as UTF-8, losing any other byte;
// Linux keeps them as given, the last of them ours.
function argumentBytes() {
  const count = process.argv.length - 2;
  try {
    const all = readFileSync('/proc/self/cmdline');
    const args = [];
    for (let at = 0; at < all.length; ) {
      const end = all.indexOf(0, at);
      args.push(all.subarray(at, end));
      at = end + 1;
    }
    return args.slice(args.length - count);
  } catch {
    return process.argv.slice(2);
  }
}

// Each write made at once and whole, as the program makes it, so that one
// file holding both streams reads as the program's would and a write that
// fails is the program's write error.
function write(fd, bytes) {
  for (let at = 0; at < bytes.length; ) {
    try {
      at += writeSync(fd, bytes, at);
    } catch (error) {
      if (error.code !== 'EAGAIN') throw error; // a descriptor left non-blocking
    }
  }
}

process.exitCode = run(argumentBytes(), Math.floor(Date.now() / 1000), write).status;
