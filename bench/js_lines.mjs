// Counts the code, comment and blank lines of JavaScript files as acorn (a JavaScript
// parser, Debian's node-acorn) tokenizes them, under the counter's rules: a line holding
// only white space is blank; a line with any token is code; a line with only comment text
// (a "#!" first line included) is a comment.
// Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input; files
// acorn cannot read are named on standard error.
//   node bench/js_lines.mjs < list   (NODE_PATH=/usr/share/nodejs)
import { createRequire } from 'module';
import { readFileSync } from 'fs';

const require = createRequire(import.meta.url);
const acorn = require('acorn');

function classify(text, sourceType) {
    const code = new Set();
    const comment = new Set();
    const mark = (set, from, to) => { for (let l = from; l <= to; l++) set.add(l); };
    const options = {
        ecmaVersion: 'latest', sourceType, locations: true, allowHashBang: true,
        allowReturnOutsideFunction: true, allowAwaitOutsideFunction: true, allowImportExportEverywhere: true,
        onComment: (block, t, s, e, startLoc, endLoc) => mark(comment, startLoc.line, endLoc.line),
    };
    for (const token of acorn.tokenizer(text, options))
        mark(code, token.loc.start.line, token.loc.end.line);
    return { code, comment };
}

const input = readFileSync(0, 'utf8').split('\n').filter(Boolean);
for (const path of input) {
    const text = readFileSync(path, 'latin1');
    let result;
    for (const type of ['module', 'script']) {
        try { result = classify(text, type); break; } catch (e) { result = undefined; }
    }
    if (!result) { console.error(`acorn failed: ${path}`); continue; }
    const lines = text.split('\n');
    if (lines[lines.length - 1] === '') lines.pop();
    let c = 0, m = 0, b = 0;
    lines.forEach((line, i) => {
        if (!/[^ \t\r\f\v]/.test(line)) b++;  // the counter's white space
        else if (result.code.has(i + 1)) c++;
        else if (result.comment.has(i + 1)) m++;
        else c++;
    });
    console.log(`${c}\t${m}\t${b}\t${path}`);
}
