// Drives veltrax_diffr's HTML report in headless Chromium: the counts against the summary lines of
// the result file written by the same run, the filter, the category boxes, sorting, and a pair of
// netlists whose names are markup and script. Ends with "N passed, M failed".
//
//   node report_test.js VELTRAX_DIFFR
//   node report_test.js VELTRAX_DIFFR --screenshot PNG REF CMP [FILTER]   (the report of REF, CMP)
//
// CHROMIUM names the browser (default /usr/bin/chromium).
'use strict';
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [cli, option, ...operands] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'veltrax-html-'));
const examples = path.resolve(__dirname, '..', '..', 'examples');
let passed = 0;
let failed = 0;

function check(what, ok, detail) {
  ok ? ++passed : ++failed;
  if (!ok) console.log(`FAIL ${what}${detail ? ': ' + detail : ''}`);
}

function same(what, actual, expected) {
  const [a, e] = [JSON.stringify(actual), JSON.stringify(expected)];
  check(what, a === e, `got ${a}, expected ${e}`);
}

// Compares ref with cmp into the work folder: the exit status, standard error, the result file's
// lines, and the report's path.
function compare(ref, cmp, name) {
  const [csv, html] = [name + '.csv', name + '.html'].map((f) => path.join(work, f));
  const run = spawnSync(cli, ['-q', '-o', csv, '--html', html, ref, cmp], {encoding: 'latin1'});
  if (run.status !== 0 && run.status !== 1) throw new Error(`${cli}: ${run.status} ${run.stderr}`);
  const lines = fs.readFileSync(csv, 'latin1').split('\r\n');
  return {status: run.status, stderr: run.stderr, lines, html};
}

async function open(browser, file) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.setViewport({width: 1280, height: 900});
  await page.goto('file://' + file);
  return page;
}

// The text of a column of the rows a table shows.
function column(page, table, index = 1) {
  return page.$$eval(`#${table} tbody tr:not([hidden])`,
                     (rows, i) => rows.map((r) => r.cells[i].textContent), index);
}

// The second column of the rows each section shows.
async function shown(page) {
  const out = {};
  for (const t of ['parts', 'nets', 'pins']) out[t] = await column(page, t + '-table');
  return out;
}

async function typeFilter(page, text) {
  await page.click('#filter', {clickCount: 3});
  await page.keyboard.press('Backspace');
  if (text) await page.type('#filter', text);
}

async function example(browser) {
  const [ref, cmp] = ['amp-rev-a.net', 'amp-rev-b.net'].map((f) => path.join(examples, f));
  const run = compare(ref, cmp, 'amp');
  const page = await open(browser, run.html);

  // Every number of the SUM lines, and 0 for the counters their short forms leave out.
  const sums = run.lines.filter((l) => l.startsWith('SUM,'));
  same('two summary lines', sums.length, 2);
  for (const line of sums) {
    const side = line.split(',')[1].toLowerCase();
    const ids = await page.$$eval(`[id^="count-${side}-"]`,
                                  (es) => es.map((e) => [e.id, e.textContent]));
    const expected = Object.fromEntries(ids.map(([id]) => [id, '0']));
    for (const [, key, value] of line.matchAll(/([a-z][a-z0-9 /]*)=(\d+)/g)) {
      expected[`count-${side}-${key.replace(/[^a-z0-9]/g, '-')}`] = value;
    }
    same(`${side} counts equal the SUM line`, Object.fromEntries(ids), expected);
  }
  same('paths and exit status',
       await page.evaluate(() => [document.getElementById('ref-path').textContent,
                                  document.getElementById('cmp-path').textContent,
                                  +document.getElementById('exit-status').dataset.status]),
       [run.lines[0].slice(4), run.lines[1].slice(4), run.status]);
  same('a row for every row of the result file, in its category',
       (await page.$$eval('tr[data-category^="C."], tr[data-category^="N."]',
                          (rs) => rs.map((r) => r.dataset.category.replace('-open', '')))).sort(),
       run.lines.filter((l) => /^[CN]\./.test(l)).map((l) => l.slice(0, l.indexOf(','))).sort());

  await typeFilter(page, 'r6');
  same('filter', await shown(page), {parts: ['R6'], nets: ['DRIVE', 'FB'], pins: ['R6.1', 'R6.2']});
  same('filter: shown counts and inputs', await page.evaluate(() => [
    [...document.querySelectorAll('[data-shown]')].map((e) => e.textContent),
    document.getElementById('ref-path').offsetParent !== null]), [['1', '2', '2'], true]);
  await typeFilter(page, 'FB r4');
  same('filter, two words', await shown(page), {parts: [], nets: ['FB'], pins: ['R4.1']});
  await typeFilter(page, '');
  same('filter cleared', (await column(page, 'pins-table')).length, 19);

  const box = 'input[data-category="N.except add/del/xch"]';
  await page.click(box);
  const categories = await column(page, 'pins-table', 0);
  same('unticked category hidden, other sections kept',
       [categories.length, categories.includes('except add/del/xch'),
        (await column(page, 'parts-table')).length], [10, false, 5]);
  await page.click(box);
  same('ticked again', (await column(page, 'pins-table')).length, 19);

  const header = '#parts-table th:nth-child(1)';
  await page.click(header);
  same('sorted by category', await column(page, 'parts-table', 0),
       ['ADD', 'ADD', 'DEL', 'pcb', 'value']);
  await page.click(header);
  same('sorted the other way', [await column(page, 'parts-table', 0),
                                await page.$eval(header, (e) => e.getAttribute('aria-sort'))],
       [['value', 'pcb', 'DEL', 'ADD', 'ADD'], 'descending']);
  same('no script errors', page.errors, []);
}

// Names that are markup and script; each would set window.__pwned if it ran.
const HOSTILE = {
  value: '</script><script>window.__pwned=1</script>',
  footprint: '"><img src=x onerror="window.__pwned=2">',
  net: '<!--</script><script>window.__pwned=3</script>--!>',  // 50 bytes: fills its room
  net2: 'NET\'"&<svg/onload=window.__pwned=4>',
  value2: '<img src=x onerror=window.__pwned=5>',
  designator: '<b>&amp;U9',
  pin: '\'"><i>',
  file: '"><img src=y onerror=window.__pwned=6> <!--.net',
};

async function hostileNames(browser) {
  const h = HOSTILE;
  const netlist = (values, footprint, moved, added) => [
    '*PADS-PCB*', '*PART*', `R2 ${values[0]}@R0603`, `R10 ${values[1]}@R0603`,
    `${h.designator} ${values[2]}@SO8`, `U1 LM358@${footprint}`, '*NET*',
    `*SIGNAL* ${h.net}`, `R2.1 R10.1 ${moved ? '' : h.designator + '.1'}`,
    '*SIGNAL* GND', `R2.2 U1.1 U1.${h.pin} ${moved ? h.designator + '.1' : ''}`,
    `*SIGNAL* ${h.net2}`, `R10.2 U1.2 ${added}`, '*END*', ''].join('\r\n');
  const [ref, cmp] = [path.join(work, 'ref.net'), path.join(work, h.file)];
  fs.writeFileSync(ref, netlist(['10k', '1k', h.value], 'SO8', false, ''));
  fs.writeFileSync(cmp, netlist(['22k', '2k', h.value2], h.footprint, true, 'U1.3'));
  const run = compare(ref, cmp, 'hostile');
  const page = await open(browser, run.html);

  same('nothing injected ran, no element added', await page.evaluate(() => [
    window.__pwned, document.scripts.length, document.querySelectorAll('img,svg,i,iframe').length]),
       [undefined, 1, 0]);
  const text = await page.evaluate(() => document.body.innerText);
  for (const [what, name] of Object.entries(h)) {
    check(`${what} shown literally`, text.includes(name), name);
  }
  check('file name in the title', (await page.title()).includes(h.file), await page.title());
  const warned = run.stderr.split('\n').filter((l) => l.includes('warning:')).length;
  same('a warning for each on standard error',
       [await page.$$eval('#warnings li', (es) => es.length), warned > 0], [warned, true]);

  for (const [order, before] of [['ascending', true], ['descending', false]]) {
    await page.click('#parts-table th:nth-child(2)');
    const parts = await column(page, 'parts-table');
    const r2First = parts.indexOf('R2') < parts.indexOf('R10');
    check(`natural order, ${order}`, r2First === before, parts.join(' '));
  }
  await typeFilter(page, '<b>&amp;');
  same('filter on markup', await column(page, 'parts-table'), [h.designator]);
  same('no script errors, hostile', page.errors, []);
}

// The whole page, after typing the filter if one is given.
async function screenshot(browser, png, ref, cmp, filter) {
  const page = await open(browser, compare(ref, cmp, 'shot').html);
  if (filter) await typeFilter(page, filter);
  await page.screenshot({path: png, fullPage: true});
  console.log(`${png}: the report of ${ref} and ${cmp}${filter ? ', filtered by ' + filter : ''}`);
}

(async () => {
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu'],
  });
  try {
    if (option === '--screenshot') {
      await screenshot(browser, ...operands);
    } else {
      await example(browser);
      await hostileNames(browser);
    }
  } catch (e) {
    check('run', false, e.stack);
  } finally {
    await browser.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
  if (option !== '--screenshot') console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed > 0 ? 1 : 0);
})();
