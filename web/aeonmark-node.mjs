// The program on node: node aeonmark-node.mjs [ARGS...] prints what run
// returns on the two streams and exits with its status, with the system
// clock as the current time.
import { readFileSync } from 'node:fs';
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

// Each write in the order made, so that one file holding both streams reads
// as the program's would.
const { status, writes } = run(argumentBytes(), Math.floor(Date.now() / 1000));
for (const { fd, bytes } of writes) (fd === 1 ? process.stdout : process.stderr).write(bytes);
process.exitCode = status;
