// driver.js -- what the browser tests share: a local server, headless Chromium, pictures, the camera
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');

const webDir = process.env.KESTREL_WEB_DIR;
const sourceDir = process.env.KESTREL_SOURCE_DIR;
// Pictures go where the build says, or under the build folder: never into the folder it runs from.
const shotDir = process.env.KESTREL_SHOTS || path.join(__dirname, '..', '..', 'build', 'screenshots');

const contentTypes = {
    '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm', '.wav': 'audio/wav',
    '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};

// Serves the built web folder on a free local port, as `make run-web` does on
// 8080; while site.folder is set, that folder instead (a later release at the
// same address); while site.offline is set, nothing: every connection drops.
function serve(site = {}) {
    const server = http.createServer((request, response) => {
        if (site.offline) {
            request.socket.destroy();
            return;
        }
        const folder = site.folder || webDir;
        const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const file = path.join(folder, name === '/' ? 'index.html' : path.normalize(name));
        if (!file.startsWith(folder) || !fs.existsSync(file)) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, {'Content-Type': contentTypes[path.extname(file)] || 'application/octet-stream'});
        fs.createReadStream(file).pipe(response);
    });
    return new Promise((resolve) => {
        server.listen(0, '127.0.0.1', () => resolve(server));
    });
}

// The system's Chromium, headless, drawing WebGL on the processor; never a downloaded browser.
function launch(moreArgs = []) {
    return puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: [
            '--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
            '--no-first-run', '--autoplay-policy=no-user-gesture-required',
            '--disable-background-timer-throttling', '--disable-renderer-backgrounding', ...moreArgs,
        ],
    });
}

// A PNG screenshot decoded to RGB: 8-bit RGB or RGBA, not interlaced, as Chromium writes them.
function decodePng(bytes) {
    let offset = 8;
    let width = 0;
    let height = 0;
    let channels = 0;
    const data = [];
    while (offset < bytes.length) {
        const length = bytes.readUInt32BE(offset);
        const type = bytes.toString('ascii', offset + 4, offset + 8);
        const body = bytes.subarray(offset + 8, offset + 8 + length);
        if (type === 'IHDR') {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            channels = body[9] === 6 ? 4 : 3;
        } else if (type === 'IDAT') {
            data.push(body);
        }
        offset += 12 + length;
    }
    const raw = zlib.inflateSync(Buffer.concat(data));
    const stride = width * channels;
    const pixels = Buffer.alloc(width * height * 3);
    let previous = Buffer.alloc(stride);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
        for (let i = 0; i < stride; ++i) {
            const a = i >= channels ? line[i - channels] : 0;
            const b = previous[i];
            const c = i >= channels ? previous[i - channels] : 0;
            let add = 0;
            if (filter === 1) {
                add = a;
            } else if (filter === 2) {
                add = b;
            } else if (filter === 3) {
                add = (a + b) >> 1;
            } else if (filter === 4) {
                const p = a + b - c;
                const pa = Math.abs(p - a);
                const pb = Math.abs(p - b);
                const pc = Math.abs(p - c);
                add = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            }
            line[i] = (line[i] + add) & 255;
        }
        for (let x = 0; x < width; ++x) {
            line.copy(pixels, (y * width + x) * 3, x * channels, x * channels + 3);
        }
        previous = line;
    }
    return {
        width, height,
        at(x, y) {
            const cx = Math.min(Math.max(Math.floor(x), 0), width - 1);
            const cy = Math.min(Math.max(Math.floor(y), 0), height - 1);
            const i = (cy * width + cx) * 3;
            return [pixels[i], pixels[i + 1], pixels[i + 2]];
        },
    };
}

// Takes a screenshot, keeps it under the build folder and returns it decoded.
async function screenshot(page, name) {
    fs.mkdirSync(shotDir, {recursive: true});
    const file = path.join(shotDir, `web-${name}.png`);
    await page.screenshot({path: file});
    return decodePng(fs.readFileSync(file));
}

function near(colour, expected, tolerance = 24) {
    return colour.every((value, i) => Math.abs(value - expected[i]) <= tolerance);
}

// Screen pixel of a world point under the game's camera and 16:9 frustum, stretched to the screen.
function project([x, y, z], view, width, height) {
    const tilt = (view === 'title' ? 290.0 : 274.0) * Math.PI / 180;
    const ye = y * Math.cos(tilt) - z * Math.sin(tilt);
    const ze = y * Math.sin(tilt) + z * Math.cos(tilt) - 30.0;
    const xn = (x / 1.0264) / -ze;
    const yn = (ye / 0.57735) / -ze;
    return [(xn + 1.0) / 2.0 * width, (1.0 - yn) / 2.0 * height];
}

// Screen pixel at the centre of a banner cell in the title view.
function bannerCell(row, column, width, height) {
    return project([-170 + column + 0.5, 140 - row - 0.5, 17 - row - 0.5], 'title', width, height);
}

// Waits until the game has drawn `count` more frames than it had: time passes in frames.
async function waitFrames(page, count) {
    const start = await page.evaluate(() => Module.kestrel.frames());
    await page.waitForFunction((target) => Module.kestrel.frames() >= target, {timeout: 60000, polling: 20},
        start + count);
}

// One check of a scenario file, printed as it is made.
let failures = 0;
function check(condition, what) {
    console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
    failures += condition ? 0 : 1;
}

// Runs a scenario file's main: the process exits 0 only when main finished and every check held.
function runChecks(main) {
    main().then(() => {
        console.log(failures === 0 ? 'all checks passed' : `${failures} checks failed`);
        process.exit(failures === 0 ? 0 : 1);
    }, (error) => {
        console.error(error);
        process.exit(1);
    });
}

module.exports = {serve, launch, screenshot, decodePng, near, project, bannerCell, waitFrames, check, runChecks,
    webDir, sourceDir, shotDir};
