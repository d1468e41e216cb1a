// Drives the workbench page of `korvagraph serve` in headless chromium:
// picks a variogram point and checks its pairs on the pair map, draws a box
// on the cloud, changes the sill, the range, the colour classes, excludes
// samples and undoes it, changes the attribute, loads a saved model; on a
// file of a constant attribute, the page shows the warnings. Screenshots go
// to OUT (default out/workbench). Talks to 127.0.0.1 only; gives up after
// a bounded time.
'use strict';

const {spawn} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const program = process.env.KORVAGRAPH;
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const outDir = process.env.OUT || path.join(__dirname, '..', '..', 'out', 'workbench');
const kTimeLimitMs = 120000;
const kWaitMs = 20000;
const kPickedEntry = 5;

let failures = 0;
function check(name, ok, detail) {
  console.log((ok ? 'ok   ' : 'FAIL ') + name + (ok || detail === undefined ? '' : ': ' + detail));
  if (!ok) failures++;
}

// Starts the server on a free port (on the data file given, else the
// bundled sample); resolves to {server, url}.
function startServer(data) {
  return new Promise((resolve, reject) => {
    const args = ['serve', '--port', '0', '--quiet'].concat(data ? ['--data', data] : []);
    const server = spawn(program, args, {stdio: ['ignore', 'pipe', 'inherit']});
    let text = '';
    server.stdout.on('data', (chunk) => {
      text += chunk;
      const found = text.match(/http:\/\/127\.0\.0\.1:(\d+)\//);
      if (found) resolve({server, url: found[0]});
    });
    server.on('exit', (code) => reject(new Error('korvagraph serve exited with ' + code)));
  });
}

// Returns what the page's picture `id` shows: the number of pixels of the
// colour rgb (all when rgb is null) inside the box, and a checksum.
async function pictureFacts(page, id, rgb, box) {
  await page.waitForFunction((id) => document.getElementById(id).complete &&
                                     document.getElementById(id).naturalWidth > 0,
                             {timeout: kWaitMs}, id);
  return page.evaluate((id, rgb, box) => {
    const img = document.getElementById(id);
    const canvas = document.createElement('canvas');
    canvas.width = img.naturalWidth;
    canvas.height = img.naturalHeight;
    const context = canvas.getContext('2d');
    context.drawImage(img, 0, 0);
    const [x0, y0, x1, y1] = box || [0, 0, canvas.width, canvas.height];
    const data = context.getImageData(x0, y0, x1 - x0, y1 - y0).data;
    let count = 0;
    let sum = 0;
    for (let i = 0; i < data.length; i += 4) {
      sum = (sum * 31 + data[i] * 7 + data[i + 1] * 3 + data[i + 2]) % 1000000007;
      if (!rgb || (data[i] === rgb[0] && data[i + 1] === rgb[1] && data[i + 2] === rgb[2])) count++;
    }
    return {count, sum};
  }, id, rgb, box);
}

// Waits until the picture `name` has loaded more than `after` times.
function waitForLoad(page, name, after) {
  return page.waitForFunction((name, after) => (window.workbench.loads[name] || 0) > after,
                              {timeout: kWaitMs}, name, after);
}

function loads(page) {
  return page.evaluate(() => Object.assign({}, window.workbench.loads));
}

async function stageOrigin(page, id) {
  const box = await (await page.$('#' + id)).boundingBox();
  return [box.x, box.y];
}

// Runs action; resolves once each picture of names has loaded again, to
// the view's /api/info answer.
async function andLoads(page, names, action) {
  const before = await loads(page);
  await action();
  for (const name of names) await waitForLoad(page, name, before[name]);
  return page.evaluate(() => window.workbench.info);
}
const kViewPictures = ['vario', 'cloud', 'cloudmap', 'mvario', 'locmap', 'varmap'];
const textOf = (page, selector) => page.$eval(selector, (e) => e.textContent);
// Returns query parameter name of the variogram picture shown.
const varioParam = (page, name) =>
  page.$eval('#vario', (e, name) => new URL(e.src).searchParams.get(name), name);

// Drags a box over the cloud's large semivariances; resolves to the
// answer once the cloud and the pair map show it.
async function dragCloudBox(page) {
  await andLoads(page, ['cloudmap', 'cloud'], async () => {
    await page.$eval('#cloud-stage', (e) => e.scrollIntoView());
    const [cx, cy] = await stageOrigin(page, 'cloud-stage');
    await page.mouse.move(cx + 60, cy + 20);
    await page.mouse.down();
    await page.mouse.move(cx + 150, cy + 90, {steps: 5});
    await page.mouse.move(cx + 250, cy + 160, {steps: 5});
    await page.mouse.up();
  });
  return page.evaluate(() => window.workbench.boxInfo);
}

const kCyan = [0, 255, 255];
const kRed = [255, 0, 0];

// Stops server with SIGTERM; resolves to whether it exited cleanly.
function stop(server) {
  const stopped = new Promise((resolve) => server.on('exit', (code) => resolve(code === 0)));
  server.kill('SIGTERM');
  return stopped;
}

// The range slider's left end is a small positive range; a range of 0
// typed is marked and not sent.
async function checkRangeSlider(page) {
  await andLoads(page, ['vario'], () => page.select('#model', 'spherical'));
  await andLoads(page, ['vario'], () => page.$eval('#range-slider', (s) => {
    s.value = s.min;
    s.dispatchEvent(new Event('input'));
  }));
  const floor = await page.$eval('#range-slider', (s) => +s.min);
  const sent = +(await varioParam(page, 'range'));
  check('the range slider ends above 0', floor > 0 && sent === floor, floor + ', sent ' + sent);
  await page.click('#range', {clickCount: 3});
  await page.keyboard.type('0');
  check('a range of 0 is marked and not sent', (await page.$eval('#range', (e) =>
      e.classList.contains('bad'))) && +(await varioParam(page, 'range')) === floor);
}

// Pair counts beside the variogram's points, the directions' colours, and
// the values of the maps' colour legends, linear and by quantiles.
async function checkLegends(page, points) {
  await page.click('#counts');
  const counts = await page.$$eval('#vario-stage .count', (ls) => ls.map((l) => +l.textContent));
  const drawn = points.filter((p) => p.x !== null && p.variogram.npairs >= 30);
  check('pair counts stand beside the points',
        counts.join() === drawn.map((p) => p.variogram.npairs).join(), counts);
  const swatches = await page.$$eval('#mvario-legend .swatch', (s) =>
      s.map((e) => getComputedStyle(e).backgroundColor.match(/\d+/g).map(Number)));
  let shown = 0;
  for (const rgb of swatches) shown += (await pictureFacts(page, 'mvario', rgb)).count > 0;
  check('the direction legend gives each azimuth its colour in the chart',
        swatches.length === 4 && shown === 4, shown);
  const legend = () => page.evaluate(() => window.workbench.legends.varmap);
  const linear = await legend();
  check('the variogram map\'s legend carries values', linear[0] > linear[2] && linear[2] > linear[4]);
  check('the local-mean map\'s legend carries values',
        /max [\d.]+.*min [\d.]+/.test(await textOf(page, '#locmap-values')));
  const linearMap = await pictureFacts(page, 'varmap', null);
  await andLoads(page, ['varmap', 'locmap'], () => page.select('#colours', 'quantile'));
  const quantile = await legend();
  check('quantile classes put the quartiles on the legend', quantile[0] === linear[0] &&
        quantile[4] === linear[4] && quantile[2] !== linear[2], quantile);
  check('quantile classes recolour the map',
        (await pictureFacts(page, 'varmap', null)).sum !== linearMap.sum);
  await page.screenshot({path: path.join(outDir, 'workbench-maps.png'), fullPage: true});
}

// Excludes the sample behind the box's jump, then every listed sample,
// restores one, and undoes both exclusions; everything is recomputed.
async function checkExclusion(page) {
  const row = (await dragCloudBox(page)).samples[0].row;
  let info = await andLoads(page, kViewPictures, () => page.click('#samples button.exclude'));
  check('the excluded sample is listed', (await textOf(page, '#excluded'))
      .startsWith('row ' + (row + 1) + ':') && info.excluded.length === 1);
  check('the cloud leaves it out', info.cloud_pairs === 299 * 298 / 2, info.cloud_pairs);
  check('a model set by hand is kept, and flagged', (await textOf(page, '#model-flag')).includes('kept'));
  const listed = (await dragCloudBox(page)).samples.length;
  await page.screenshot({path: path.join(outDir, 'workbench-excluded.png'), fullPage: true});
  info = await andLoads(page, kViewPictures, () => page.click('#exclude-listed'));
  const many = info.samples;
  info = await andLoads(page, kViewPictures, () => page.click('#excluded li:last-child button'));
  check('excluded samples are restored one by one', many === 299 - listed &&
        info.samples === many + 1 && info.excluded.length === listed, many);
  await andLoads(page, kViewPictures, () => page.click('#undo'));
  info = await andLoads(page, kViewPictures, () => page.click('#undo'));
  check('undo brings every sample back', info.excluded.length === 0 && info.cloud_pairs === 44850,
        info.cloud_pairs);
}

// A fitted model is fitted again when the attribute or the transform
// changes.
async function checkAttribute(page) {
  await andLoads(page, ['vario'], () => page.click('#fit'));
  let info = await andLoads(page, kViewPictures, () => page.select('#col', 'Zinc'));
  const source = await textOf(page, '#source');
  check('the attribute selector charts another column', source.includes('Zinc at X, Y'), source);
  let sill = +(await varioParam(page, 'sill'));
  check('the model is fitted again to the new attribute, with no flag',
        Math.abs(sill - info.variance) < 0.3 * info.variance &&
        (await textOf(page, '#model-flag')) === '', sill + ' for ' + info.variance);
  info = await andLoads(page, kViewPictures, () => page.select('#transform', 'nscore'));
  sill = +(await varioParam(page, 'sill'));
  check('after normal scores the model is fitted to them', sill > 0.5 && sill < 1.5, sill);
}

// A model of two structures saved as a GSLIB block is loaded from the text
// box, one of its structures as a JSON file; a fit gives one structure.
async function checkSavedModel(page) {
  const formula = '0.1 + 0.3 sph(60) + 0.6 exp(240, 120, 30)';
  const gslib = await page.evaluate((formula) =>
      fetch('/api/model?format=gslib&formula=' + encodeURIComponent(formula)).then((r) => r.text()), formula);
  await page.click('#load-box summary');
  await page.$eval('#model-text', (e, text) => { e.value = text; }, gslib);
  await andLoads(page, ['vario'], () => page.click('#load-model'));
  check('a saved model of two structures is loaded and written out',
        (await page.$eval('#range', (e) => e.disabled)) && (await varioParam(page, 'formula')) === formula);
  const saved = await page.evaluate(() =>
      fetch(document.getElementById('save-json').href).then((r) => r.json()));
  check('it saves again with both structures', saved.structures.length === 2);
  await page.screenshot({path: path.join(outDir, 'workbench-model.png'), fullPage: true});
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'kg-model-')), 'model.json');
  saved.structures.shift();
  fs.writeFileSync(file, JSON.stringify(saved));
  await andLoads(page, ['vario'], async () => (await page.$('#model-file')).uploadFile(file));
  fs.rmSync(path.dirname(file), {recursive: true, force: true});
  check('a model file of one anisotropic structure fills the inputs',
        (await page.$eval('#model', (e) => e.value)) === 'exponential' &&
        (await varioParam(page, 'range2')) === '120' && !(await varioParam(page, 'formula')));
  await andLoads(page, ['vario'], () => page.click('#fit'));
  check('a fit brings the one-structure inputs back',
        await page.$eval('#range', (e) => !e.disabled && +e.value > 0));
}

// A file whose attribute is constant: the page says so, and that the
// model's range is not determined by data without structure.
async function checkWarnings(browser) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kg-browser-'));
  const data = path.join(dir, 'constant.csv');
  let text = 'X,Y,V\n';
  for (let i = 0; i < 60; i++) text += (i % 10) * 10 + ',' + Math.floor(i / 10) * 10 + ',5\n';
  fs.writeFileSync(data, text);
  const {server, url} = await startServer(data);
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 1500, height: 1200});
    await page.goto(url, {waitUntil: 'load', timeout: kWaitMs});
    await page.waitForFunction(() => (window.workbench.loads.vario || 0) >= 1 &&
                                     (window.workbench.loads.locmap || 0) >= 1,
                               {timeout: kWaitMs});
    const shown = await page.$eval('#vario-warnings', (e) => e.textContent);
    check('the page warns of a constant column', shown.includes('V is constant'), shown);
    check('the page warns of a range at its bound', shown.includes('ends at a bound'), shown);
    const map = await page.$eval('#locmap-warnings', (e) => e.textContent);
    check('every picture shows its own warnings', map.includes('V is constant'), map);
    // The warnings of a fit and of a nested fit stand beside the chart.
    for (const nested of ['', 'exponential']) {
      await page.select('#nested', nested);
      const fit = await page.evaluate(() => fetch('/api/fit?' + query()).then((r) => r.json()));
      await andLoads(page, ['vario'], () => page.click('#fit'));
      const after = await textOf(page, '#vario-warnings');
      check('the page shows the warnings of a fit' + (nested ? ' of two structures' : ''),
            fit.warnings.length > 0 && fit.warnings.every((w) => after.includes(w)), after);
    }
    await page.screenshot({path: path.join(outDir, 'workbench-warnings.png')});
  } finally {
    check('the second server stops cleanly on SIGTERM', await stop(server));
    fs.rmSync(dir, {recursive: true, force: true});
  }
}

async function main() {
  fs.mkdirSync(outDir, {recursive: true});
  const {server, url} = await startServer();
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--proxy-server=direct://', '--proxy-bypass-list=*'],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 1500, height: 1200});
    page.on('pageerror', (e) => check('no script error', false, e.message));
    await page.goto(url, {waitUntil: 'load', timeout: kWaitMs});
    await page.waitForFunction(() => ['vario', 'cloud', 'cloudmap', 'mvario', 'locmap']
                                   .every((n) => window.workbench.loads[n] >= 1),
                               {timeout: kWaitMs});
    await page.screenshot({path: path.join(outDir, 'workbench-start.png')});
    const plainMap = await pictureFacts(page, 'cloudmap', kCyan);
    check('the pair map starts without linked pairs', plainMap.count === 0, plainMap.count);

    // Picking: click where the chart recorded the point of a known lag.
    const points = await page.evaluate(() =>
        fetch('/api/points?' + query({w: 560, h: 520})).then((r) => r.json()));
    const target = points.points[kPickedEntry];
    const near = [target.x - 5, target.y - 5, target.x + 5, target.y + 5];
    const redBefore = await pictureFacts(page, 'vario', kRed, near);
    let before = await loads(page);
    const [vx, vy] = await stageOrigin(page, 'vario-stage');
    await page.waitForFunction(() => window.workbench.points.length > 0, {timeout: kWaitMs});
    await page.mouse.move(vx + target.x + 1, vy + target.y - 1);
    const hover = await page.$eval('#hover-info', (e) => e.textContent);
    check('hovering a point names its lag', hover.includes('lag ' + (kPickedEntry - 1) + ':'), hover);
    await page.mouse.click(vx + target.x + 1, vy + target.y - 1);
    await page.waitForFunction((e) => window.workbench.pick === e, {timeout: kWaitMs}, kPickedEntry);
    await waitForLoad(page, 'cloudmap', before.cloudmap);
    await waitForLoad(page, 'vario', before.vario);
    await waitForLoad(page, 'cloud', before.cloud);
    const pick = await page.evaluate(() => window.workbench.pickInfo);
    check('the click picks the lag under it', pick.entry === kPickedEntry, pick.entry);
    check('the pair map holds that lag\'s pairs',
          pick.cloud_pairs === target.variogram.npairs && pick.cloud_pairs > 0,
          pick.cloud_pairs + ' of ' + target.variogram.npairs);
    const pickedMap = await pictureFacts(page, 'cloudmap', kCyan);
    check('the pair map links the pairs in cyan', pickedMap.count > 0, pickedMap.count);
    const redAfter = await pictureFacts(page, 'vario', kRed, near);
    check('the picked point is marked in red', redAfter.count > redBefore.count,
          redBefore.count + ' -> ' + redAfter.count);
    const pickedCloud = await pictureFacts(page, 'cloud', kCyan);
    check('the cloud shows the lag\'s pairs in cyan', pickedCloud.count > 0, pickedCloud.count);
    await page.screenshot({path: path.join(outDir, 'workbench-pick.png')});

    // Cloud selection: a rubber band over the large semivariances.
    const box = await dragCloudBox(page);
    check('the box selects cloud pairs', box.cloud_pairs > 0, box.cloud_pairs);
    check('the box replaces the picked lag',
          await page.evaluate(() => window.workbench.pick === -1));
    const rows = await page.evaluate(() => document.getElementById('samples').rows.length - 1);
    check('the samples most involved are listed', rows > 0 && rows <= 10, rows);
    const boxMap = await pictureFacts(page, 'cloudmap', kCyan);
    check('the pair map links the box\'s pairs', boxMap.count > 0, boxMap.count);
    await page.screenshot({path: path.join(outDir, 'workbench-box.png')});

    // Model: a new sill redraws the curve.
    const oldVario = await pictureFacts(page, 'vario', null);
    const oldSill = await page.$eval('#sill', (e) => +e.value);
    const newSill = Math.round(oldSill * 1.3);
    before = await loads(page);
    await page.click('#sill', {clickCount: 3});
    await page.keyboard.type(String(newSill));
    await page.waitForFunction((s) => document.getElementById('vario').src.includes('sill=' + s) &&
                                   document.getElementById('vario').complete,
                               {timeout: kWaitMs}, newSill);
    await waitForLoad(page, 'vario', before.vario);
    const newVario = await pictureFacts(page, 'vario', null);
    check('a new sill redraws the model', newVario.sum !== oldVario.sum);
    const slider = await page.$eval('#sill-slider', (e) => +e.value);
    check('the slider follows the sill', Math.abs(slider - newSill) < 1e-6 * newSill, slider);
    await page.screenshot({path: path.join(outDir, 'workbench-sill.png')});

    // A power model takes an exponent below 2 in the range's place.
    before = await loads(page);
    await page.select('#model', 'power');
    await waitForLoad(page, 'vario', before.vario);
    const exponent = await page.$eval('#range', (e) => +e.value);
    check('a power model starts with an exponent below 2', exponent > 0 && exponent < 2, exponent);

    await checkRangeSlider(page);
    await checkLegends(page, points.points);
    await checkExclusion(page);
    await checkAttribute(page);
    await checkSavedModel(page);
    check('no picture failed to load', await page.evaluate(() => window.workbench.errors === 0));
    await checkWarnings(browser);
  } finally {
    await browser.close();
    check('the server stops cleanly on SIGTERM', await stop(server));
  }
}

const limit = setTimeout(() => {
  console.log('FAIL the browser test took longer than ' + kTimeLimitMs / 1000 + ' s');
  process.exit(1);
}, kTimeLimitMs);

main().then(() => {
  clearTimeout(limit);
  console.log(failures === 0 ? 'browser test: all checks passed' : 'browser test: ' + failures + ' failed');
  process.exit(failures === 0 ? 0 : 1);
}, (error) => {
  console.log('FAIL ' + error.stack);
  process.exit(1);
});
