// The playground: the query typed here goes to the translator of the plug-in
// itself (translator.js, built from query/ by the wasm preset) as code page 932
// bytes, as the DLL gets it from the dialog, and the find pack and the trace
// come back as bytes of that code page. Nothing leaves the page.
'use strict';

const TEXTS = {
    ja: {
        title: 'ZentoroMailSearch 検索式の練習',
        intro: '検索式を入力すると、入力するのに合わせて、ゼントロメールに渡す検索条件（find pack）と変換の手順が表示されます。' +
            'プラグインと同じ変換のコードをこのページの中で動かしているので、結果はプラグインと同じです。' +
            'ページの外には何も送りません。',
        query: '検索式',
        scope: '検索範囲',
        scope1001: '現在のフォルダ', scope1002: '現在のフォルダ+サブフォルダ',
        scope1003: '現在のアカウント', scope1004: 'すべてのアカウント',
        fullwidth: '全角スペースも区切りにする',
        pack: '検索条件',
        yen: '引用符で囲まない検索語の値は、検索の前にゼントロメールの YenEncode でエスケープされます。' +
            'このページはそのエスケープをせず、値を入力したとおりに表示します。',
        trace: '変換の手順',
        field: 'フィールド', form: '検索語の形', value: '値', left: '残りの検索式', why: '説明',
        examples: 'ヘルプの例',
        examplesIntro: 'ヘルプ（ZentoroMailSearch.txt）の例です。押すと、検索式と検索範囲とオプションが入ります。',
        explainExamples: '変換の手順を検索語ごとに見る',
        other: 'English',
        noPasses: '検索語はありません（検索式が空か、区切りだけです）。',
        morePasses: (n) => `最初の ${n} 回の手順だけを表示しています。`,
        cut: (bytes) => `…（全部で ${bytes} バイト）`,
    },
    en: {
        title: 'ZentoroMailSearch query playground',
        intro: 'Type a query: as you type, the search condition handed to Zentoro Mail (the find pack) ' +
            'and the steps of the translation are shown. The page runs the plug-in\'s own translation code, ' +
            'so the result is the plug-in\'s. Nothing leaves the page.',
        query: 'Query',
        scope: 'Search scope',
        scope1001: 'current folder', scope1002: 'current folder and subfolders',
        scope1003: 'current account', scope1004: 'all accounts',
        fullwidth: 'The fullwidth space separates too',
        pack: 'Search condition',
        yen: 'Zentoro Mail escapes the values of terms without double quotes through its YenEncode ' +
            'before the search. The page does not: it shows the values as typed.',
        trace: 'Steps of the translation',
        field: 'field', form: 'form', value: 'value', left: 'left', why: 'why',
        examples: 'Examples of the help',
        examplesIntro: 'The examples of the help (ZentoroMailSearch.txt). Choose one to fill in its query, scope and option.',
        explainExamples: 'The steps of a translation, term by term',
        other: '日本語',
        noPasses: 'No terms (the query is empty, or separators only).',
        morePasses: (n) => `Only the first ${n} steps are shown.`,
        cut: (bytes) => `… (${bytes} bytes in all)`,
    },
};

// How much of a long query's trace is shown: the first passes, each value and
// rest cut short.
const SHOWN_PASSES = 200;
const SHOWN_BYTES = 300;

// ---- Code page 932, both ways.

// Unicode -> code page 932 as Windows' code page gives it: each character gets
// the lowest byte sequence that decodes to it, leaving out the NEC-selected
// IBM extensions (lead bytes 0xED and 0xEE), which Windows never writes. A
// table entry is one byte (below 0x100) or a lead and a trail byte; 0x3F ("?")
// where there is none, as an ANSI edit control gives. The lead bytes are the
// translator's.
function cp932Table(isLead) {
    const table = new Uint16Array(0x10000).fill(0x3f);
    for (let b = 0; b < 0x80; ++b) table[b] = b;
    const codes = [];
    for (let b = 0x80; b <= 0xdf; ++b) codes.push(b);
    for (let lead = 0x81; lead <= 0xfc; ++lead) {
        if (!isLead(lead) || lead === 0xed || lead === 0xee) continue;
        for (let trail = 0x40; trail <= 0xfc; ++trail) if (trail !== 0x7f) codes.push(lead << 8 | trail);
    }
    // Every sequence once, each followed by a line feed (no trail byte is
    // one): the decoded pieces stay in step with the codes.
    const bytes = [];
    for (const code of codes) code > 0xff ? bytes.push(code >> 8, code & 0xff, 10) : bytes.push(code, 10);
    const pieces = new TextDecoder('shift_jis').decode(new Uint8Array(bytes)).split('\n');
    codes.forEach((code, i) => {
        const c = pieces[i];
        if (c.length === 1 && c !== '\ufffd' && table[c.charCodeAt(0)] === 0x3f) table[c.charCodeAt(0)] = code;
    });
    return table;
}
let CP932 = null;  // made when the translator is there
const decoder = new TextDecoder('shift_jis');

// The bytes of `text` into `heap` at `at`; returns how many.
function encodeInto(text, heap, at) {
    let n = at;
    for (const c of text) {
        const cp = c.codePointAt(0);
        const code = cp < 0x10000 ? CP932[cp] : 0x3f;
        if (code > 0xff) heap[n++] = code >> 8;
        heap[n++] = code & 0xff;
    }
    return n - at;
}

function encode(text) {
    const bytes = new Uint8Array(text.length * 2);
    return Array.from(bytes.subarray(0, encodeInto(text, bytes, 0)));
}

// ---- The translator.

let translator = null;

// {pack, passes: [{target, form, formName, formNameJa, value, left, hint, hintJa,
// hints: [{kind, argument}]}]}: the forms' and reasons' words come from the
// translator, in English and in Japanese;
// a text that was cut short has `full`, its whole length in bytes.
function translate(query, scope, fullwidth) {
    const capacity = query.length * 2 + 1;
    const input = translator._zms_alloc(capacity);
    const length = encodeInto(query, translator.HEAPU8, input);
    const block = translator._zms_translate(input, length, scope, fullwidth ? 1 : 0, SHOWN_PASSES, SHOWN_BYTES);
    translator._zms_free(input);
    if (!block) throw new Error('the translator ran out of memory');
    const heap = translator.HEAPU8;  // after the call: memory may have grown
    const view = new DataView(heap.buffer, block);
    let at = 4;
    const number = () => { const v = view.getUint32(at, true); at += 4; return v; };
    const text = () => {
        const full = number(), shown = number();
        const s = decoder.decode(heap.subarray(block + at, block + at + shown));
        at += shown;
        return shown < full ? {text: s, full} : {text: s};
    };
    const result = {pack: text().text, passes: []};
    for (let n = number(); n > 0; --n) {
        const pass = {target: text().text, form: number(), formName: text().text, formNameJa: text().text,
            value: text(), left: text(), hint: text().text, hintJa: text().text, hints: []};
        for (let h = number(); h > 0; --h) pass.hints.push({kind: number(), argument: text().text});
        result.passes.push(pass);
    }
    translator._zms_free(block);
    return result;
}

// ---- The page.

const $ = (id) => document.getElementById(id);
let language = 'ja';

function words() { return TEXTS[language]; }

function scope() { return Number(document.querySelector('input[name=scope]:checked').value); }

// A value or a rest as a code element, so that its spaces show; a fullwidth
// space is marked.
function textCell(piece) {
    const td = document.createElement('td');
    const code = document.createElement('code');
    code.className = 'text';
    for (const part of piece.text.split(/(\u3000)/)) {
        if (part === '\u3000') {
            const mark = document.createElement('span');
            mark.className = 'fullwidth-space';
            mark.title = language === 'ja' ? '全角スペース' : 'fullwidth space';
            mark.textContent = part;
            code.append(mark);
        } else if (part) {
            code.append(part);
        }
    }
    td.append(code);
    if (piece.full !== undefined) td.append(words().cut(piece.full));
    return td;
}

function cell(text) {
    const td = document.createElement('td');
    td.textContent = text;
    return td;
}

function update() {
    const result = translate($('query').value, scope(), $('fullwidth').checked);
    $('pack').textContent = result.pack;
    const w = words();
    const rows = document.createDocumentFragment();
    result.passes.forEach((p, i) => {
        const tr = document.createElement('tr');
        const ja = language === 'ja';
        const why = ja ? p.hintJa : p.hint;
        tr.append(cell(String(i + 1)), cell(p.target), cell(ja ? p.formNameJa : p.formName),
            textCell(p.value), textCell(p.left), cell(why));
        if (why) tr.className = 'surprise';
        rows.append(tr);
    });
    $('trace').tBodies[0].replaceChildren(rows);
    const last = result.passes[result.passes.length - 1];
    $('trace-note').textContent = !last ? w.noPasses
        : result.passes.length === SHOWN_PASSES && last.left.text !== '' ? w.morePasses(SHOWN_PASSES) : '';
    return result;
}

function choose(example) {
    $('query').value = example.query;
    document.querySelector(`input[name=scope][value="${example.scope}"]`).checked = true;
    $('fullwidth').checked = example.fullwidth;
    update();
}

function showExamples() {
    const list = $('examples');
    list.replaceChildren();
    for (const group of ZMS_EXAMPLES[language]) {
        const h3 = document.createElement('h3');
        // The help introduces the examples whose trace it shows by the command
        // that prints it; the page shows that trace itself, and says so.
        const trace = group.examples.every((e) => e.explain);
        h3.textContent = trace ? words().explainExamples : group.heading;
        const ul = document.createElement('ul');
        for (const example of group.examples) {
            const li = document.createElement('li');
            const button = document.createElement('button');
            button.type = 'button';
            button.className = 'example';
            button.textContent = example.query;
            const extra = [];
            if (example.scope !== 1001) extra.push(words()[`scope${example.scope}`]);
            if (example.fullwidth) extra.push('fullwidthspace_separator=1');
            if (extra.length) {
                const small = document.createElement('small');
                small.textContent = ` (${extra.join(', ')})`;
                button.append(small);
            }
            button.addEventListener('click', () => choose(example));
            li.append(button);
            ul.append(li);
        }
        list.append(h3, ul);
    }
}

function setLanguage(lang) {
    language = lang;
    document.documentElement.lang = lang;
    const w = words();
    document.title = w.title;
    for (const element of document.querySelectorAll('[data-text]')) element.textContent = w[element.dataset.text];
    $('language').textContent = w.other;
    $('language').lang = lang === 'ja' ? 'en' : 'ja';
    showExamples();
    update();
}

// The start: "#q=QUERY&scope=1002&fullwidth=1&lang=en" sets the controls
// (for a link to a query, and for the README's picture).
function start() {
    const wanted = new URLSearchParams(location.hash.slice(1));
    $('query').value = wanted.get('q') || '';
    const s = wanted.get('scope');
    if (/^100[1-4]$/.test(s || '')) document.querySelector(`input[name=scope][value="${s}"]`).checked = true;
    $('fullwidth').checked = wanted.get('fullwidth') === '1';
    $('query').addEventListener('input', update);
    for (const input of document.querySelectorAll('#scope input, #fullwidth')) input.addEventListener('change', update);
    $('language').addEventListener('click', () => setLanguage(language === 'ja' ? 'en' : 'ja'));
    setLanguage(wanted.get('lang') === 'en' ? 'en' : 'ja');
    document.body.dataset.ready = 'true';
}

ZmsTranslator().then((m) => {
    translator = m;
    CP932 = cp932Table((b) => m._zms_lead_byte(b) !== 0);
    start();
});

// For the tests and the benchmark (tests/browser/).
window.zmsPlayground = {translate: (...args) => translate(...args), encode, update};
