// offline_test.js -- the installable web game: offline starts, a new release's cache, pages without a worker
//
// One browser plays it as a visitor would: the first visit installs the
// service worker, a reload with the network gone starts the game from its
// cache, a rebuilt folder at the same address replaces that cache, and pages
// where the browser offers no worker play uncached. Every wait is on what the
// page shows or holds, never on the clock.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');
const {serve, launch, screenshot, near, waitFrames, check, runChecks, webDir, sourceDir, shotDir} = require('./driver.js');

const Width = 1280;
const Height = 720;
const Sky = [0, 232, 255];
const Road = [54, 54, 55];
// A host name that is not this machine's own: plain http there is no secure context.
const OtherHost = 'kestrel.test';

const until = (page, condition, argument) => page.waitForFunction(condition, {timeout: 60000, polling: 20}, argument);
const bytes = (names) => names.reduce((sum, name) => sum + fs.statSync(path.join(webDir, name)).size, 0);

// Loads or reloads until the game draws, then checks what a player sees first.
async function startsTheGame(page, name, load) {
    await load();
    await until(page, () => window.Module && Module.kestrel && Module.kestrel.frames() >= 3);
    await waitFrames(page, 3);
    const title = await screenshot(page, name);
    check(near(title.at(Width / 2, 5), Sky, 2), `${name}: the title view's sky at the top ${title.at(Width / 2, 5)}`);
}

// Chromium's offline switch covers the page but not its worker's own requests:
// the server stops answering as well.
async function network(page, site, on) {
    site.offline = !on;
    await page.setOfflineMode(!on);
}

// The cache name a built folder's worker uses, and the files it keeps.
function workerOf(folder) {
    const text = fs.readFileSync(path.join(folder, 'service-worker.js'), 'utf8');
    return {hash: /cachePrefix \+ '([0-9a-f]+)'/.exec(text)[1],
        files: JSON.parse(/cachedFiles = (\[.*\]);/.exec(text)[1])};
}

// The rebuilt release's folder, beside the pictures under the build; gone when
// the test ends, however it ends, and cleared first should a killed run have
// left it.
const releaseDir = path.join(path.dirname(shotDir), 'offline-release');
process.on('exit', () => fs.rmSync(releaseDir, {recursive: true, force: true}));

// The same game rebuilt with other content: its page's title changed, its
// worker written again by the build's own step.
function rebuiltCopy(files) {
    const folder = releaseDir;
    fs.rmSync(folder, {recursive: true, force: true});
    fs.cpSync(webDir, folder, {recursive: true});
    const page = path.join(folder, 'index.html');
    fs.writeFileSync(page, fs.readFileSync(page, 'utf8')
        .replace('<title>Kestrel Forges<', '<title>Kestrel Forges, rebuilt<'));
    childProcess.execFileSync(process.env.KESTREL_CMAKE, [`-DWEB_DIR=${folder}`,
        `-DTEMPLATE=${path.join(sourceDir, 'platform/web/service-worker.js')}`,
        `-DFILES=${files.filter((file) => file !== './').join(';')}`,
        '-P', path.join(sourceDir, 'cmake/web_worker.cmake')]);
    return folder;
}

// A page of its own, its errors (uncaught, unhandled or logged) collected.
async function visitor(browser, errors) {
    const page = await browser.newPage();
    page.on('pageerror', (error) => errors.push(error.message));
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    await page.setViewport({width: Width, height: Height});
    return page;
}

async function main() {
    const added = ['kestrel-forges.webmanifest', 'service-worker.js', 'kestrel-forges-192.png',
        'kestrel-forges-512.png'];
    check(bytes(added) <= 80 * 1024, `manifest, worker and icons ${bytes(added)} bytes (at most 80 KB)`);
    const game = ['kestrel-forges.wasm', 'kestrel-forges.js'];
    check(bytes(game) <= 250 * 1024, `.wasm and .js ${bytes(game)} bytes (at most 250 KB)`);

    const site = {};
    const server = await serve(site);
    const port = server.address().port;
    const address = `http://127.0.0.1:${port}/`;
    const browser = await launch([`--host-resolver-rules=MAP ${OtherHost} 127.0.0.1`]);
    const errors = [];
    const page = await visitor(browser, errors);
    const first = workerOf(webDir);
    const cacheOf = (hash) => `kestrel-forges ${address} ${hash}`;

    await startsTheGame(page, 'first-visit', () => page.goto(address));
    await until(page, () => navigator.serviceWorker.controller !== null);
    const {installabilityErrors} = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
    check(installabilityErrors.length === 0, `installable: ${JSON.stringify(installabilityErrors)}`);
    const colours = await page.evaluate(() => fetch('kestrel-forges.webmanifest').then((response) => response.json())
        .then((manifest) => [manifest.background_color, manifest.theme_color]));
    const sky = `#${Sky.map((level) => level.toString(16).padStart(2, '0')).join('')}`;
    check(colours.every((colour) => colour === sky), `the installed page's colours are the sky's ${sky}: ${colours}`);

    await network(page, site, false);
    await startsTheGame(page, 'offline-title', () => page.reload());
    await until(page, () => Module.kestrel.music().playing);
    const served = await page.evaluate((files) => Promise.all(files.map((file) => fetch(file)
        .then((response) => response.ok, () => false))), first.files);
    check(served.every((ok) => ok), `offline, the tune plays and every kept file is served: ${first.files} ${served}`);
    await page.keyboard.press('Enter');
    await until(page, () => Module.kestrel.view() === 2);
    await waitFrames(page, 3);
    const road = await screenshot(page, 'offline-road');
    const ahead = road.at(Width / 2, Height * 0.6);
    check(near(ahead, Road, 12), `offline, Enter shows the road ${ahead}`);

    const release = rebuiltCopy(first.files);
    const second = workerOf(release);
    check(second.hash !== first.hash, `a rebuilt page has a cache of its own: ${first.hash} then ${second.hash}`);
    site.folder = release;
    await network(page, site, true);
    await startsTheGame(page, 'before-update', () => page.reload());
    // The new worker has taken over once its cache exists and nothing is left installing.
    await until(page, async (name) => await caches.has(name) && navigator.serviceWorker.getRegistration()
        .then((r) => r.active.state === 'activated' && !r.installing && !r.waiting), cacheOf(second.hash));
    const kept = await page.evaluate(() => caches.keys());
    check(JSON.stringify(kept) === JSON.stringify([cacheOf(second.hash)]), `the new cache replaced the old: ${kept}`);
    await network(page, site, false);
    await startsTheGame(page, 'offline-rebuilt', () => page.reload());
    const title = await page.title();
    check(title === 'Kestrel Forges, rebuilt', `offline, the rebuilt page starts: "${title}"`);
    site.folder = null;
    await network(page, site, true);

    // Plain http from another host offers no worker; a file: page refuses it. Both go on quietly.
    const plain = await visitor(browser, errors);
    await startsTheGame(plain, 'other-host', () => plain.goto(`http://${OtherHost}:${port}/`));
    await until(plain, () => document.readyState === 'complete');
    check(!(await plain.evaluate(() => window.isSecureContext)), 'plain http from another host: no secure context');
    const localErrors = [];
    const local = await visitor(browser, localErrors);
    await local.goto(`file://${webDir}/index.html`);
    // Asked again after the page's own request, the answer comes after the page's.
    const refused = await local.evaluate(() => navigator.serviceWorker.register('service-worker.js')
        .then(() => false, () => true));
    const loud = localErrors.filter((error) => /ServiceWorker/.test(error));
    check(refused && loud.length === 0, `a file: page's worker is refused quietly: ${loud}`);
    check(errors.length === 0, `no errors on the pages: ${errors.join('; ')}`);

    await browser.close();
    server.close();
}

runChecks(main);
