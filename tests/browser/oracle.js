// The playground's module (translator.js, as shipped) against the reference
// reading of the rules with Boost.Regex, on the unit tests' generated queries,
// which zms_oracle_dump writes with the reference's find packs.
// usage: node oracle.js TRANSLATOR.js DUMP-FILE
'use strict';
const fs = require('fs');
const path = require('path');

const [translatorFile, dumpFile] = process.argv.slice(2);
const dump = fs.readFileSync(dumpFile);

require(path.resolve(translatorFile))().then((m) => {
    let compared = 0, failed = 0;
    for (let at = 0; at < dump.length; ++compared) {
        const number = () => (at += 4, dump.readUInt32LE(at - 4));
        const bytes = () => { const n = number(); return dump.subarray(at, at += n); };
        const fullwidth = number(), scope = number(), query = bytes(), expected = bytes();
        // The find pack alone: no passes asked for. The block: size, then the
        // pack's length, its length shown and its bytes.
        const input = m._zms_alloc(query.length);
        m.HEAPU8.set(query, input);
        const block = m._zms_translate(input, query.length, scope, fullwidth, 0, 0);
        const shown = new DataView(m.HEAPU8.buffer, block).getUint32(8, true);
        const pack = Buffer.from(m.HEAPU8.subarray(block + 12, block + 12 + shown));
        m._zms_free(input);
        m._zms_free(block);
        if (!pack.equals(expected) && ++failed <= 5) {
            console.log(`FAIL ${JSON.stringify(query.toString('latin1'))} scope ${scope} fullwidth ${fullwidth}:\n` +
                `  module    ${pack.toString('latin1')}\n  reference ${expected.toString('latin1')}`);
        }
    }
    const good = failed === 0 && compared >= 8000;
    console.log(`${good ? 'ok  ' : 'FAIL'} the module against the reference reading: ${compared} queries, ${failed} differ`);
    process.exitCode = good ? 0 : 1;
});
