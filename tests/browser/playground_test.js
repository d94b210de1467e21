// The playground in Debian's chromium, headless, opened from disk: the help's
// examples typed in and clicked give the find packs the help text shows
// (help_text keeps those zms-translate's); the controls by keyboard; the trace
// against zms-translate --explain; code page 932 bytes; a 64 KiB paste; no
// request leaving the page. Prints the browser's figures (not asserted).
// usage: node playground_test.js PAGE-DIR HELP-TEXT ZMS-TRANSLATE
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');
const vm = require('vm');
const {chromium} = require('playwright-core');

const [pageDir, helpText, translateTool] = process.argv.slice(2);
const sjis = new TextDecoder('shift_jis');
let passed = 0, failed = 0;
function check(name, good, detail) {
    good ? ++passed : ++failed;
    console.log(`${good ? 'ok  ' : 'FAIL'} ${name}${good || !detail ? '' : `\n     ${detail}`}`);
}

// Each example of the help, as the page's list holds it (examples.js, which
// tools/playground/make_examples.js makes from the help's source), in the
// source's order, with the find pack below it in the help text (its wrapped
// lines joined again).
const listed = {};
vm.runInNewContext(fs.readFileSync(path.join(pageDir, 'examples.js'), 'utf8'), listed);
const examples = ['ja', 'en'].flatMap((lang) =>
    listed.ZMS_EXAMPLES[lang].flatMap((group) => group.examples));
const packs = [];
for (const line of sjis.decode(fs.readFileSync(helpText)).split('\r\n')) {
    if (line.startsWith('    => ')) packs.push(line.slice(7));
    else if (/^ {7}[(,]/.test(line)) packs[packs.length - 1] += line.slice(7);
}

async function main() {
    const browser = await chromium.launch({executablePath: '/usr/bin/chromium', args: ['--disable-gpu',
        '--disable-quic', '--disable-background-networking', '--disable-component-update', '--disable-sync']});
    const page = await browser.newPage();
    const requests = [];
    page.on('request', (r) => requests.push(r.url()));
    await page.goto('file://' + path.resolve(pageDir, 'index.html'));
    // The module compiles as the page opens: a loaded machine gets a minute (the wait ends
    // as soon as the page is ready).
    await page.waitForSelector('body[data-ready=true]', {timeout: 60000});
    const pack = () => page.textContent('#pack');
    const type = async (query) => { await page.fill('#query', ''); await page.keyboard.type(query); };
    const set = async (scope, fullwidth) => {
        await page.check(`input[name=scope][value="${scope}"]`);
        await page.setChecked('#fullwidth', fullwidth);
    };

    const typed = [];
    for (const e of examples) {
        await set(e.scope, e.fullwidth);
        await page.focus('#query');
        await type(e.query);
        typed.push(await pack());
    }
    const clicked = [];
    for (const lang of ['ja', 'en']) {  // the source's order: the Japanese half, then the English one
        if (lang === 'en') await page.click('#language');
        for (const button of await page.$$('button.example')) clicked.push(await button.click().then(pack));
    }
    const wrong = examples.flatMap((e, i) => typed[i] === packs[i] && clicked[i] === packs[i] ? [] :
        [`${e.query}: typed ${typed[i]}, clicked ${clicked[i]}, help ${packs[i]}`]);
    check(`the ${examples.length} examples typed in and clicked give the help's find packs`,
        examples.length > 0 && packs.length === examples.length && clicked.length === examples.length &&
        wrong.length === 0, wrong.join('\n     '));

    // The scope buttons by arrow keys (only 1002 sets subfolder=1), the option
    // by the space bar (the help's two packs of this query).
    const [off, on] = examples.flatMap((e, i) => e.query === 'subject:meeting\u3000smith' ? [packs[i]] : []);
    await set('1001', false);
    await page.focus('#query');
    await type('subject:meeting\u3000smith');
    const seen = [await pack()];
    await page.keyboard.press('Tab');
    for (let i = 0; i < 3; ++i) seen.push(await page.keyboard.press('ArrowRight').then(pack));
    await page.keyboard.press('Tab');
    seen.push(await page.keyboard.press('Space').then(pack));
    const want = [off, off.replace('subfolder=0', 'subfolder=1'), off, off, on];
    check('the scope and option controls by keyboard', on && seen.join() === want.join(), seen.join('\n     '));

    // The trace in English is --explain's; in Japanese each reason is worded too
    // (the traps of Japanese typing among them).
    const rows = () => page.$$eval('#trace tbody tr', (trs) => trs.map((tr) => Array.from(tr.cells, (td) => td.textContent)));
    const different = [];
    for (const [query, fullwidth] of [['subject:"会議 Subject:x to: y', 0], ['subject:会議 subject:"週報|日報"', 0],
        ['attach:見積 attach:*', 0], ['　subject:会議　山田', 0], ['subject:会議　from:yamada', 1], ['flag: ∵ⅰ€', 0],
        ['subject:"予定表" 会議', 0], ['subject:"ソ" "x"', 0],
        ['subject:"" ｓｕｂｊｅｃｔ：会議 subject：x', 0], ['subject:“会議” ＂x＂', 0]]) {
        await page.setChecked('#fullwidth', fullwidth === 1);
        await type(query);
        const english = await rows();
        const lines = [await pack(), ...english.map(([n, target, form, value, left, why]) =>
            `  ${n}. ${target}, ${form}: [${value}] left [${left}]${why ? ` -- ${why}` : ''}`)].join('\n');
        const profile = path.join(pageDir, '..', 'browser-test', 'fullwidth.ini');
        fs.writeFileSync(profile, '[Option]\r\nfullwidthspace_separator=1\r\n');
        const input = Buffer.from(await page.evaluate((q) => zmsPlayground.encode(q), query));
        const expected = sjis.decode(execFileSync(translateTool, ['--explain', ...(fullwidth ? ['--profile', profile] : [])],
            {input})).trimEnd();
        const japanese = await page.click('#language').then(rows);
        await page.click('#language');
        if (lines !== expected || japanese.some((row, i) => !row[5] !== !english[i][5] || (row[5] && row[5] === english[i][5])))
            different.push(`${lines}\n     zms-translate: ${expected}\n     ${japanese.map((r) => r[5]).join(' | ')}`);
    }
    check('the trace is zms-translate --explain\'s, its reasons worded in Japanese too', different.length === 0,
        different.join('\n     '));

    const bytes = await page.evaluate(() => zmsPlayground.encode('a　∵ⅰⅠ￢～€').map((b) => b.toString(16)).join(' '));
    check('code page 932 as Windows writes it: a　∵ⅰⅠ￢～€', bytes === '61 81 40 81 e6 fa 40 87 54 81 ca 81 60 3f', bytes);

    // 64 KiB pasted (inserted as a paste inserts it): its pack, its trace cut short.
    const unit = 'subject:会議 from:yamada 定例 ', times = Math.floor(65536 / 30);  // 30 bytes
    const long = unit.repeat(times) + 'x'.repeat(65536 - 30 * times);
    const pasted = await page.evaluate((text) => {
        const input = document.getElementById('query');
        input.select();
        const t = performance.now();
        document.execCommand('insertText', false, text);
        return performance.now() - t;
    }, long);
    const terms = '("会議",target=subject)and("yamada",target=from)and("定例",target=smallheaderbody)and';
    const longPack = terms.repeat(times) + `("${'x'.repeat(65536 - 30 * times)}",target=smallheaderbody),subfolder=0,hilight=1`;
    check('a 64 KiB paste: its find pack, the trace its first 200 passes', (await pack()) === longPack &&
        (await rows()).length === 200 && (await page.textContent('#trace-note')) !== '');

    const f = await page.evaluate((text) => {
        const time = (g, n) => { const t = performance.now(); for (let i = 0; i < n; ++i) g(); return (performance.now() - t) / n; };
        const input = document.getElementById('query');
        input.value = 'subject:会議 from:yamada';
        const result = [time(zmsPlayground.update, 1000), time(() => zmsPlayground.translate(input.value, 1001, false), 1000)];
        input.value = text;
        return [...result, time(zmsPlayground.update, 20), time(() => zmsPlayground.translate(text, 1001, false), 20)];
    }, long);
    console.log(`figure: subject:会議 from:yamada: ${f[0].toFixed(3)} ms a keystroke, ${f[1].toFixed(3)} ms ` +
        `translated alone (goal: under 1 ms)\nfigure: 64 KiB: ${pasted.toFixed(1)} ms pasted, ${f[2].toFixed(1)} ms ` +
        `a keystroke, ${f[3].toFixed(1)} ms translated alone (goal: under 100 ms)`);

    const outside = requests.filter((u) => !/^(file|data):/.test(u));
    check(`no request leaves the page (${requests.length}, all file: or data:)`, outside.length === 0, outside.join(' '));
    await browser.close();
}

main().catch((e) => check('the browser test ran', false, e.stack)).finally(() => {
    console.log(`${passed} passed, ${failed} failed`);
    process.exitCode = failed ? 1 : 0;
});
