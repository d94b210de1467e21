// Writes the playground's list of examples (examples.js) from the help
// text's source: every "@example[options] QUERY" line of the Japanese half
// and of the English one, grouped under the text that stands right above a
// run of them, so the page offers exactly the help's examples.
// usage: node make_examples.js HELP-SOURCE.utf8.txt OUT.js
'use strict';
const fs = require('fs');

const [source, out] = process.argv.slice(2);
const lines = fs.readFileSync(source, 'utf8').split('\n');
const english = lines.findIndex((line, i) => line === 'English' && /^=+$/.test(lines[i + 1] || ''));
if (english < 0) throw new Error(`${source}: no English section`);

function examples(part, joiner) {
    const groups = [];
    part.forEach((line, i) => {
        const m = /^@example(?:\[([^\]]*)\])? (.+)$/.exec(line);
        if (!m) return;
        if (i === 0 || !part[i - 1].startsWith('@example')) {
            const heading = [];
            for (let k = i - 1; k >= 0 && part[k].trim() !== ''; --k) heading.unshift(part[k].trim());
            groups.push({heading: heading.join(joiner), examples: []});
        }
        const options = (m[1] || '').split(',').filter(Boolean);
        const scope = options.find((o) => o.startsWith('scope='));
        groups[groups.length - 1].examples.push({
            query: m[2],
            scope: scope ? Number(scope.slice(6)) : 1001,
            fullwidth: options.includes('fullwidth'),
            explain: options.includes('explain'),  // the help shows its trace, not its pack
        });
    });
    return groups;
}

const data = {ja: examples(lines.slice(0, english), ''), en: examples(lines.slice(english), ' ')};
fs.writeFileSync(out, '// Made by tools/playground/make_examples.js from the help text\'s source.\n' +
    `var ZMS_EXAMPLES = ${JSON.stringify(data)};\n`);
