// The playground's module (translator.js, as shipped) against the reference
// reading of the rules with Boost.Regex, on the generated queries of the unit
// tests: zms_oracle_dump writes them with the reference's find packs.
// usage: node oracle.js TRANSLATOR.js DUMP-FILE
'use strict';
const fs = require('fs');
const path = require('path');

const [translatorFile, dumpFile] = process.argv.slice(2);
const dump = fs.readFileSync(dumpFile);

function* records() {
    for (let at = 0; at < dump.length;) {
        const number = () => { const v = dump.readUInt32LE(at); at += 4; return v; };
        const bytes = () => { const n = number(); at += n; return dump.subarray(at - n, at); };
        const fullwidth = number() === 1, scope = number(), query = bytes(), pack = bytes();
        yield {fullwidth, scope, query, pack};
    }
}

// The find pack of the query's bytes; no passes asked for.
function packOf(m, query, scope, fullwidth) {
    const input = m._zms_alloc(query.length);
    m.HEAPU8.set(query, input);
    const block = m._zms_translate(input, query.length, scope, fullwidth ? 1 : 0, 0, 0);
    m._zms_free(input);
    const view = new DataView(m.HEAPU8.buffer, block);
    const shown = view.getUint32(8, true);
    const pack = Buffer.from(m.HEAPU8.subarray(block + 12, block + 12 + shown));
    m._zms_free(block);
    return pack;
}

require(path.resolve(translatorFile))().then((m) => {
    let compared = 0, failed = 0;
    for (const r of records()) {
        ++compared;
        const pack = packOf(m, r.query, r.scope, r.fullwidth);
        if (!pack.equals(r.pack)) {
            if (++failed <= 5) {
                console.log(`FAIL query ${JSON.stringify(r.query.toString('latin1'))} scope ${r.scope} ` +
                    `fullwidth ${r.fullwidth}:\n  module    ${pack.toString('latin1')}\n  reference ${r.pack.toString('latin1')}`);
            }
        }
    }
    if (compared < 8000) {
        console.log(`FAIL only ${compared} queries in ${dumpFile}`);
        failed = Math.max(failed, 1);
    }
    console.log(`${failed ? 'FAIL' : 'ok  '} the module against the reference reading: ${compared} queries, ${failed} differ`);
    process.exitCode = failed ? 1 : 0;
});
