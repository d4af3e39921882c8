// bench.js -- the web game's frame work next to the desktop rasterizer's, its first frame and its size
//
// Measures, in one run at 1280x720: the mean work of a title and of a play
// frame in headless Chromium (a loop pass until WebGL has drawn it) and through
// Mesa on the host (native_frames, each frame ending with glFinish); the time
// from navigation to the first drawn frame, in a freshly started browser, in
// one already running, and offline from the service worker's cache; the sizes
// of the release page's .wasm and .js, without the probe, and of what makes
// the page installable (manifest, worker, icons). Prints a table and writes it as JSON. Measures only: it
// fails when it cannot measure, never on the numbers. With --latency COUNT WIDTH HEIGHT it measures
// key-to-frame latency instead and prints it as one line of JSON (tests/e2e/latency_bench.py).
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');
const {serve, launch, screenshot, decodePng, waitFrames, webDir} = require('./driver.js');
const {comparePictures} = require('./pictures.js');

const Width = 1280;
const Height = 720;
const Frames = 60;
const nativeFrames = process.env.KESTREL_NATIVE_FRAMES;
const {shotDir} = require('./driver.js');
const resultFile = process.env.KESTREL_BENCH_OUTPUT;

// Navigation to the first frame drawn (a bench page waits for its frames to be drawn).
async function firstFrameMs(browser, address, offline = false) {
    const page = await browser.newPage();
    await page.setViewport({width: Width, height: Height});
    await page.setOfflineMode(offline);
    await page.goto(`${address}?bench`);
    await page.waitForFunction(() => window.Module && Module.kestrel && Module.kestrel.firstFrameMs() > 0,
        {timeout: 60000, polling: 10});
    const ms = await page.evaluate(() => Module.kestrel.firstFrameMs());
    await page.close();
    return ms;
}

// A warm start without the network: a visit installs the service worker, then
// a new page starts with the page offline and the server answering nothing
// (Chromium's offline switch does not cover the worker's own requests).
async function offlineFirstFrameMs(browser, address, site) {
    const visit = await browser.newPage();
    await visit.goto(address);
    await visit.waitForFunction(() => navigator.serviceWorker.controller !== null, {timeout: 60000, polling: 10});
    await visit.close();
    site.offline = true;
    const ms = await firstFrameMs(browser, address, true);
    site.offline = false;
    return ms;
}

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
}

// Processor time so far of every Chromium process (renderer, drawing process,
// browser, audio), in ms.
async function chromiumProcessorMs(cdp) {
    const {processInfo} = await cdp.send('SystemInfo.getProcessInfo');
    return processInfo.reduce((sum, process) => sum + process.cpuTime * 1000, 0);
}

// The next `count` passes: the median of their work from the page's own
// timings (other builds share this machine, and a median keeps their bursts
// out), and the processor time all of Chromium spent per frame meanwhile.
async function measureFrames(page, cdp, count) {
    const from = await page.evaluate(() => Module.kestrel.workMs(0).length);
    const processorStart = await chromiumProcessorMs(cdp);
    await waitFrames(page, count);
    const processorEnd = await chromiumProcessorMs(cdp);
    const work = await page.evaluate((first) => Module.kestrel.workMs(first), from);
    return {wall: median(work), processor: (processorEnd - processorStart) / work.length};
}

// The same on a page that only clears each frame: what every browser frame
// costs before any game work (the round trip to Chromium's drawing process,
// the compositor putting the canvas on screen).
async function measureEmptyFrames(browser, cdp) {
    const page = await browser.newPage();
    await page.setViewport({width: Width, height: Height});
    const processorStart = await chromiumProcessorMs(cdp);
    const times = await page.evaluate(async (width, height, count) => {
        const canvas = document.createElement('canvas');
        canvas.width = width;
        canvas.height = height;
        document.body.appendChild(canvas);
        const gl = canvas.getContext('webgl', {alpha: false, depth: true, stencil: false, antialias: false});
        const pixel = new Uint8Array(4);
        const spent = [];
        for (let i = 0; i < count; ++i) {
            await new Promise((resolve) => setTimeout(resolve, 34));
            const start = performance.now();
            gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
            gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
            spent.push(performance.now() - start);
        }
        return spent;
    }, Width, Height, Frames);
    const processorEnd = await chromiumProcessorMs(cdp);
    await page.close();
    return {wall: median(times), processor: (processorEnd - processorStart) / times.length};
}

// Title frames again with a pad plugged in (polled every pass) and the touch
// buttons shown: what the other ways to play add to a pass.
async function measureWithPadAndTouch(browser, cdp, address) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
        const pad = {id: 'bench pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
            buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
        navigator.getGamepads = () => [pad];
    });
    await page.setViewport({width: Width, height: Height, hasTouch: true});
    await page.goto(`${address}?bench`);
    await page.waitForFunction(() => window.Module && Module.kestrel && Module.kestrel.frames() >= 5,
        {timeout: 60000, polling: 10});
    await page.touchscreen.tap(Width / 2, Height / 2);
    await page.waitForFunction(() => !document.getElementById('touch').hidden, {timeout: 60000, polling: 10});
    const measured = await measureFrames(page, cdp, Frames);
    await page.close();
    return measured;
}

// Key-to-frame latency (tests/e2e/latency_bench.py): Right on the title view,
// `count` times at random phases of the pass, from the page's keydown time to
// the first animation frame after the pass that turned the car, the one that
// puts its picture on the screen. The pass is the mean time between two frames.
async function latency(count, width, height) {
    const server = await serve();
    const browser = await launch();
    const page = await browser.newPage();
    await page.setViewport({width, height});
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.waitForFunction(() => window.Module && Module.kestrel && Module.kestrel.frames() >= 5,
        {timeout: 60000, polling: 10});
    // The first press of a page starts its audio and is slow: not counted.
    await page.keyboard.press('ArrowRight');
    await new Promise((resolve) => setTimeout(resolve, 500));
    await page.evaluate(() => {
        const seen = {downs: [], turns: [], heading: Module.kestrel.heading(), first: null, last: null};
        window.addEventListener('keydown', (event) => seen.downs.push(event.timeStamp), true);
        const watch = () => {
            const now = performance.now();
            const frames = Module.kestrel.frames();
            seen.first = seen.first || {now, frames};
            seen.last = {now, frames};
            if (Module.kestrel.heading() !== seen.heading) {
                seen.heading = Module.kestrel.heading();
                seen.turns.push(now);
            }
            requestAnimationFrame(watch);
        };
        requestAnimationFrame(watch);
        window.kestrelLatency = seen;
    });
    for (let i = 0; i < count; ++i) {
        await new Promise((resolve) => setTimeout(resolve, 360 + Math.random() * 45));
        await page.keyboard.press('ArrowRight');
    }
    await new Promise((resolve) => setTimeout(resolve, 500));
    const seen = await page.evaluate(() => window.kestrelLatency);
    await browser.close();
    server.close();
    if (seen.downs.length !== count || seen.turns.length !== count) {
        throw new Error(`${count} presses, ${seen.downs.length} keydowns, ${seen.turns.length} turns seen`);
    }
    return {
        latencies_ms: seen.downs.map((down, i) => seen.turns[i] - down),
        pass_ms: (seen.last.now - seen.first.now) / (seen.last.frames - seen.first.frames),
    };
}

async function main() {
    if (process.argv[2] === '--latency') {
        const [count, width, height] = process.argv.slice(3).map(Number);
        console.log(JSON.stringify(await latency(count, width, height)));
        return 0;
    }
    const site = {};
    const server = await serve(site);
    const address = `http://127.0.0.1:${server.address().port}/`;
    const browser = await launch();
    const cdp = await browser.target().createCDPSession();
    const coldMs = await firstFrameMs(browser, address);
    const warmMs = await firstFrameMs(browser, address);
    const offlineMs = await offlineFirstFrameMs(browser, address, site);

    // Bench pages wait for each frame to be drawn before the pass ends.
    const page = await browser.newPage();
    await page.setViewport({width: Width, height: Height});
    await page.goto(`${address}?bench`);
    await page.waitForFunction(() => window.Module && Module.kestrel && Module.kestrel.frames() >= 5,
        {timeout: 60000, polling: 10});
    const webTitle = await measureFrames(page, cdp, Frames);
    const titlePicture = await screenshot(page, 'bench-title');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => Module.kestrel.view() === 2, {timeout: 60000, polling: 10});
    await waitFrames(page, 3);
    const playPicture = await screenshot(page, 'bench-play');
    await page.keyboard.press('ArrowUp');
    await page.waitForFunction(() => Module.kestrel.runStart() >= 0, {timeout: 60000, polling: 10});
    const webPlay = await measureFrames(page, cdp, Frames);
    await page.close();
    const webInput = await measureWithPadAndTouch(browser, cdp, address);
    const webEmpty = await measureEmptyFrames(browser, cdp);
    await browser.close();
    server.close();

    const native = JSON.parse(childProcess.execFileSync(nativeFrames,
        [String(Width), String(Height), shotDir, String(Frames)], {encoding: 'utf8'}));
    const titleMatch = comparePictures(titlePicture, decodePng(fs.readFileSync(path.join(shotDir, 'native-title.png'))));
    const playMatch = comparePictures(playPicture, decodePng(fs.readFileSync(path.join(shotDir, 'native-play.png'))));

    const releaseDir = process.env.KESTREL_RELEASE_WEB_DIR;
    const wasmBytes = fs.statSync(path.join(releaseDir, 'kestrel-forges.wasm')).size;
    const jsBytes = fs.statSync(path.join(releaseDir, 'kestrel-forges.js')).size;
    const installBytes = ['kestrel-forges.webmanifest', 'service-worker.js', 'kestrel-forges-192.png',
        'kestrel-forges-512.png'].reduce((sum, name) => sum + fs.statSync(path.join(releaseDir, name)).size, 0);
    const cell = (value) => value.toFixed(2).padStart(8);
    const row = (name, web, wall, processor) => `| ${name.padEnd(5)} | ${cell(web.wall)} | ${cell(wall)} |` +
        ` ${(web.wall / wall).toFixed(2).padStart(5)} | ${cell(web.processor)} | ${cell(processor)} |` +
        ` ${(web.processor / processor).toFixed(2).padStart(5)} |`;
    const lines = [
        `Frame work at ${Width}x${Height}, ${Frames} frames of each view (ms per frame).`,
        'Wall: median time from a pass\'s start until its frame is drawn (Chromium: a one-pixel',
        'read-back; Mesa: glFinish). Processor: all Chromium processes, or the whole Mesa process.',
        '| view  | wall:web | wall:mesa | ratio | cpu:web | cpu:mesa | ratio |',
        '|-------|----------|-----------|-------|---------|----------|-------|',
        row('title', webTitle, native.title_ms, native.title_processor_ms),
        row('play', webPlay, native.play_ms, native.play_processor_ms),
        `The title view with a pad polled every pass and the touch buttons shown: wall ${webInput.wall.toFixed(2)} ms ` +
            `(without: ${webTitle.wall.toFixed(2)}), cpu ${webInput.processor.toFixed(2)} ms (without: ` +
            `${webTitle.processor.toFixed(2)})`,
        `An empty browser frame (clear, then the same wait): wall ${webEmpty.wall.toFixed(2)} ms, ` +
            `cpu ${webEmpty.processor.toFixed(2)} ms`,
        `First frame after navigation: ${coldMs.toFixed(0)} ms in a freshly started browser, ` +
            `${warmMs.toFixed(0)} ms in a running one, ${offlineMs.toFixed(0)} ms offline from the worker's cache`,
        `Size: kestrel-forges.wasm ${wasmBytes} + kestrel-forges.js ${jsBytes} = ${wasmBytes + jsBytes} bytes; ` +
            `manifest, service worker and icons ${installBytes} bytes`,
        `Pictures against Mesa: title ${titleMatch.summary}; play ${playMatch.summary}`,
    ];
    console.log(lines.join('\n'));
    const result = {
        width: Width, height: Height, frames: Frames,
        chromium_ms: {title: webTitle, play: webPlay, title_with_pad_and_touch: webInput, empty: webEmpty},
        mesa_ms: native,
        first_frame_ms: {fresh_browser: coldMs, running_browser: warmMs, offline_running_browser: offlineMs},
        bytes: {wasm: wasmBytes, js: jsBytes, installable: installBytes},
        pictures: {title: titleMatch, play: playMatch},
    };
    if (resultFile) {
        fs.writeFileSync(resultFile, JSON.stringify(result, null, 2) + '\n');
    }
    return 0;
}

main().then((code) => process.exit(code), (error) => {
    console.error(error);
    process.exit(1);
});
