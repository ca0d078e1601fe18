// What the web tests share: where the sources, the built page, the native
// program and the shared reference are, and how bytes compare.
import { fileURLToPath } from 'node:url';

export const repo = fileURLToPath(new URL('../../', import.meta.url));
export const built = process.env.AEONMARK_WEB ?? `${repo}build/web`;
export const native = process.env.AEONMARK_NATIVE ?? `${built}/native/aeonmark`;
export const reference = process.env.AEONMARK_REFERENCE ?? `${built}/reference.jsonl`;

// Bytes shown as text, each byte one character, for messages that compare.
export const latin1 = (bytes) => Buffer.from(bytes).toString('latin1');
