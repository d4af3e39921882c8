// browser_test.js -- the web game in headless Chromium: title, play, a run that ends, pause, help, music, quitting
//
// One page plays the scenarios in order, as a player would, with real key
// events; every wait is on what the game shows (its frame counter, its view,
// the page), never on the clock. Screenshots go to KESTREL_SHOTS.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');
const {serve, launch, screenshot, decodePng, near, bannerCell, waitFrames, check, runChecks, sourceDir} =
    require('./driver.js');
const {comparePictures} = require('./pictures.js');

const Width = 1280;
const Height = 720;
const Sky = [0, 232, 255];
const Grey = [128, 128, 128];
const Ground = [12, 139, 26];
const Road = [54, 54, 55];

const GlyphS = ['.##', '#..', '.#.', '..#', '##.'];
const GlyphG = ['###', '#..', '#..', '#.#', '###'];
const GlyphK = ['#.#', '##.', '#..', '##.', '#.#'];
const Glyph1 = ['.#.', '##.', '.#.', '.#.', '###'];

// The desktop rasterizer's pictures of the same still frames, from the native build.
const nativeFrames = process.env.KESTREL_NATIVE_FRAMES;
const {shotDir} = require('./driver.js');


// Whether the banner shows a glyph at a character position: rows of '#' (ink) and '.' (grey).
function glyphAt(picture, position, pattern) {
    return pattern.every((row, r) => [...row].every((cell, k) => {
        const colour = picture.at(...bannerCell(2 + r, 1 + 4 * position + k, Width, Height));
        return cell === '#' ? near(colour, [0, 0, 0], 40) : near(colour, Grey, 40);
    }));
}

function bannerShown(picture) {
    return near(picture.at(...bannerCell(0, 160, Width, Height)), Grey, 12);
}

// The two help texts exactly as the Windows game's dialog sets them.
// The help texts exactly as the Windows dialog shows them; the desktop and
// Windows end-to-end tests hold the same expectation in tests/e2e/test_shell.py.
function windowsHelpTexts() {
    const source = fs.readFileSync(path.join(sourceDir, 'tests/e2e/test_shell.py'), 'utf8');
    const text = (name) => {
        const block = source.match(new RegExp(`^${name} = \\(([\\s\\S]*?)\\)$`, 'm'))[1];
        return [...block.matchAll(/"((?:[^"\\]|\\.)*)"/g)].map((m) => m[1]).join('');
    };
    return [text('UPPER'), text('LOWER')];
}

// Frames from Up to the end of the unsteered first run, from the Windows runtime's replay.
// The tune's length in seconds, from its file: the data chunk's bytes over the bytes a second.
function tuneSeconds() {
    const wav = fs.readFileSync(path.join(sourceDir, 'resources/gamesound.wav'));
    return wav.readUInt32LE(40) / wav.readUInt32LE(28);
}

function unsteeredRunFrames() {
    const lines = fs.readFileSync(path.join(sourceDir, 'tests/replays/hit_random_b.trace'), 'utf8').trim().split('\n');
    const run = lines.map((line) => / run=(\d)/.exec(line)[1]);
    const start = run.indexOf('1');
    return run.indexOf('0', start) - start;
}

const probe = (page, what) => page.evaluate((name) => Module.kestrel[name](), what);

async function until(page, condition, argument) {
    await page.waitForFunction(condition, {timeout: 60000, polling: 20}, argument);
}

// Whether the game comes to show something within `frames` frames: a check that can fail on its own.
async function within(page, frames, condition) {
    const start = await probe(page, 'frames');
    // Handed over as a function: the page's policy lets no text be evaluated as script.
    await page.evaluate(`window.shown = ${condition}`);
    await until(page, (last) => window.shown() || Module.kestrel.frames() >= last, start + frames);
    return page.evaluate(condition);
}

// A key press that has reached the game: it waits until the game has taken it from its queue, so that
// no check after it can pass on a key that never arrived.
async function press(page, key) {
    const taken = await probe(page, 'keysTaken');
    await page.keyboard.press(key);
    await until(page, (before) => Module.kestrel.keysTaken() > before, taken);
}

async function scenario(name, body) {
    const start = Date.now();
    try {
        await body();
    } catch (error) {
        check(false, `${name}: ${error.message}`);
    }
    console.log(`-- ${name}: ${((Date.now() - start) / 1000).toFixed(1)} s`);
}

// The same frame as Mesa draws it: same projection, colours and depth order,
// so only a few edge pixels may round differently. The play view has no
// blending, so its colours match to the level. Mesa's pictures are drawn
// afresh by every run: pictures left by an earlier build show an older game.
let nativeDrawn = false;
function sameAsDesktop(picture, name, tolerance = 2) {
    const nativeFile = path.join(shotDir, `native-${name}.png`);
    if (!nativeDrawn) {
        check(nativeFrames && fs.existsSync(nativeFrames), `native_frames built (${nativeFrames}); build the native preset first`);
        ['title', 'play'].forEach((view) => fs.rmSync(path.join(shotDir, `native-${view}.png`), {force: true}));
        childProcess.execFileSync(nativeFrames, [String(Width), String(Height), shotDir, '3']);
        nativeDrawn = true;
    }
    const match = comparePictures(picture, decodePng(fs.readFileSync(nativeFile)), tolerance);
    check(match.fraction < 0.005, `the ${name} view as the desktop build draws it: ${match.summary}`);
}

async function main() {
    const server = await serve();
    const browser = await launch();
    const page = await browser.newPage();
    const errors = [];
    // Uncaught errors, and whatever the page's Content-Security-Policy refused (Chromium logs each refusal).
    const watch = (watched) => watched.on('pageerror', (error) => errors.push(error.message))
        .on('console', (message) => /Content Security Policy/.test(message.text()) && errors.push(message.text()));
    watch(page);
    await page.setViewport({width: Width, height: Height});
    const address = `http://127.0.0.1:${server.address().port}/`;
    let tuneSeen = null;

    // Another page of the game, set up before it loads; ready once it has drawn a few frames.
    async function openGame(viewport, beforeLoad = () => {}, ready = () => Module.kestrel.frames() >= 3) {
        const opened = await browser.newPage();
        watch(opened);
        await opened.evaluateOnNewDocument(beforeLoad);
        await opened.setViewport(viewport);
        await opened.goto(address);
        await opened.evaluate(`window.ready = ${ready}`);
        await until(opened, () => window.Module && Module.kestrel && window.ready());
        return opened;
    }

    await scenario('title view', async () => {
        await page.goto(address);
        await until(page, () => window.Module && Module.kestrel && Module.kestrel.frames() >= 3);
        check(await page.title() === 'Kestrel Forges', 'page title');
        const canvas = await page.evaluate(() => [document.getElementById('game').width,
            document.getElementById('game').height]);
        check(canvas[0] === Width && canvas[1] === Height, `canvas fills the window ${canvas}`);
        const title = await screenshot(page, 'title');
        check(near(title.at(Width / 2, 5), Sky, 2), `sky at the top ${title.at(Width / 2, 5)}`);
        check(near(title.at(...bannerCell(2, 29, Width, Height)), [0, 0, 0]), 'banner ink at row 2 column 29');
        // The grey is half way, 127.5 levels: rounded to 128 as the desktop rasterizer stores it.
        check(near(title.at(...bannerCell(2, 32, Width, Height)), Grey, 0), 'banner grey at row 2 column 32');
        check(glyphAt(title, 7, GlyphK), 'title message on a fresh start');
        sameAsDesktop(title, 'title');
        const car = title.at(Width / 2, Height * 0.45);
        check(!near(car, Ground, 12) && !near(car, Sky, 12), `the car on its turntable ${car}`);
        // The tune began at or before this time on the audio clock; its end is awaited later.
        await until(page, () => Module.kestrel.music().playing);
        tuneSeen = await probe(page, 'music');
        // Each pass is followed by 34 ms before the next: never more than about 29 frames a second.
        const rate = await page.evaluate(() => new Promise((resolve) => {
            const [frames, start] = [Module.kestrel.frames(), performance.now()];
            setTimeout(() => resolve((Module.kestrel.frames() - frames) * 1000 / (performance.now() - start)), 1000);
        }));
        check(rate <= 1000 / 34 + 1, `${rate.toFixed(1)} frames a second`);
        // Keys the game knows do not scroll or click; others keep their default.
        await page.evaluate(() => {
            window.keyDefaults = [];
            window.addEventListener('keydown', (event) => window.keyDefaults.push([event.key, event.defaultPrevented]));
        });
        await page.keyboard.press('x');
        await page.keyboard.press('Space');
        await press(page, 'ArrowDown');
        const defaults = JSON.stringify(await page.evaluate(() => window.keyDefaults));
        check(defaults === '[["x",false],[" ",true],["ArrowDown",true]]', `default actions ${defaults}`);
    });

    await scenario('presses sent at once act one a pass; a held key never piles up', async () => {
        const send = (type, autoRepeat = false, [key, code] = ['ArrowLeft', 37]) => page._client().send(
            'Input.dispatchKeyEvent', {type, autoRepeat, key, code: key, windowsVirtualKeyCode: code});
        const start = await probe(page, 'heading');
        await Promise.all([1, 2, 3, 4, 5].flatMap(() => [send('rawKeyDown'), send('keyUp')]));
        await until(page, (target) => Module.kestrel.heading() <= target, start - 10);
        // Held 2 s, repeating 100 times a second: each repeat is folded into the one still waiting, as on Windows.
        for (let i = 0; i < 200; ++i) {
            await Promise.all([send('rawKeyDown', i > 0), new Promise((done) => setTimeout(done, 10))]);
        }
        await send('keyUp');
        await waitFrames(page, 3);
        const released = await probe(page, 'heading');
        await waitFrames(page, 20);
        check(released < start - 10 && await probe(page, 'heading') === released,
            `five presses at once: five steps; held Left: ${(start - 10 - released) / 2} more, still 3 frames after`);
        // A repeat behind another key (Down) is folded into nothing: each of three counts.
        for (let i = 0; i < 3; ++i) {
            await Promise.all([send('rawKeyDown', false, ['ArrowDown', 40]), send('rawKeyDown', true)]);
            await waitFrames(page, 4);
        }
        await Promise.all([send('keyUp', false, ['ArrowDown', 40]), send('keyUp')]);
        const behind = (released - await probe(page, 'heading')) / 2;
        check(behind === 3, `three repeats of Left, each behind a Down: ${behind} steps`);
    });

    await scenario('Enter shows the road and the car', async () => {
        await press(page, 'Enter');
        await until(page, () => Module.kestrel.view() === 2);
        await waitFrames(page, 2);
        const road = await screenshot(page, 'road');
        check(!bannerShown(road), 'no banner in the play view');
        check(near(road.at(Width / 2, Height * 0.6), Road, 12), `road ahead of the car ${road.at(Width / 2, Height * 0.6)}`);
        const car = road.at(Width / 2, Height * 0.85);
        check(!near(car, Road, 12) && !near(car, Ground, 12), `the car from behind ${car}`);
        check(near(road.at(Width / 2, 3), Sky, 2), 'sky above the hills');
        sameAsDesktop(road, 'play', 0);
    });

    await scenario('an unsteered run ends as on Windows', async () => {
        await press(page, 'ArrowUp');
        await until(page, () => Module.kestrel.runEnd() > Module.kestrel.runStart());
        const frames = await probe(page, 'runEnd') - await probe(page, 'runStart');
        const expected = unsteeredRunFrames();
        check(frames === expected, `the first block meets the car ${frames} frames after Up (Windows: ${expected})`);
        await until(page, () => Module.kestrel.view() === 1);
        await waitFrames(page, 2);
        const ended = await screenshot(page, 'first-run-ended');
        check(glyphAt(ended, 7, GlyphS) && glyphAt(ended, 14, Glyph1), 'the banner reads "score  1"');
        check(await probe(page, 'score') === 1, 'score 1');
    });

    await scenario('P pauses, P and R wait for the pause, P resumes, R restarts', async () => {
        await press(page, 'Enter');
        await press(page, 'ArrowUp');
        await until(page, () => Module.kestrel.runStart() > Module.kestrel.runEnd());
        await press(page, 'p');
        await press(page, 'p');
        await press(page, 'r');
        // Pausing shows the title view with the notice and counts its frames; P and R wait for it.
        check(await probe(page, 'pause') === 1, 'P and R in the pause\'s first frames ignored');
        const paused = await screenshot(page, 'paused');
        check(glyphAt(paused, 7, GlyphG), 'pause notice shown');
        await until(page, () => Module.kestrel.pause() === 2);
        // The run goes on once resumed: P again at once, before its first block ends it.
        await press(page, 'p');
        check(await probe(page, 'pause') === 0 && await probe(page, 'view') === 2, 'P after the pause resumes the play view');
        await press(page, 'p');
        await until(page, () => Module.kestrel.pause() === 2);
        await press(page, 'r');
        await until(page, () => Module.kestrel.view() === 1);
        await waitFrames(page, 2);
        check(glyphAt(await screenshot(page, 'restarted'), 7, GlyphS), 'R from Paused returns to the title view');
    });

    await scenario('M shows the help dialog; only OK closes it', async () => {
        // The keyboard focus on the page rather than the game: keys still reach the game, and OK must give
        // the game the focus itself.
        await page.evaluate(() => document.activeElement.blur());
        await press(page, 'm');
        await until(page, () => document.getElementById('menu').open);
        const [upper, lower] = windowsHelpTexts();
        const shown = await page.evaluate(() => ['menu-caption', 'help-upper', 'help-lower', 'menu-ok']
            .map((id) => document.getElementById(id).textContent));
        check(shown[0] === 'MENU', `dialog caption ${shown[0]}`);
        check(shown[1] === upper, 'upper help text exactly');
        check(shown[2] === lower, 'lower help text exactly');
        check(shown[3] === 'OK', 'an OK button');
        await screenshot(page, 'help');
        // The game runs on behind the dialog, and its keys go to the dialog.
        const heard = await page.evaluate(() => window.keyDefaults.length);
        await page.keyboard.press('Enter');
        await page.keyboard.press('Escape');
        await waitFrames(page, 4);
        const keys = JSON.stringify(await page.evaluate((from) => window.keyDefaults.slice(from), heard));
        check(keys === '[["Enter",true],["Escape",true]]' && await page.evaluate(() => document.getElementById('menu').open),
            `Enter and Escape reach the page ${keys} and leave the dialog open`);
        check(await probe(page, 'running') === 1 && await probe(page, 'view') === 1, 'the game runs on and ignores them');
        // A click on the game gives it the keyboard back while the dialog stays open: game keys work
        // again, and M does nothing until OK.
        await page.mouse.click(40, Height - 40);
        const heading = await probe(page, 'heading');
        await press(page, 'ArrowLeft');
        check(await probe(page, 'heading') !== heading && await page.evaluate(() => document.getElementById('menu').open),
            'after a click on the game, Left turns the turntable behind the open dialog');
        await press(page, 'm');
        check(await page.evaluate(() => document.activeElement.id) === 'game' && await probe(page, 'helpOpen') === 1,
            'M while the dialog is shown leaves it as it is');
        await page.click('#menu-ok');
        await until(page, () => !document.getElementById('menu').open && Module.kestrel.helpOpen() === 0);
        await waitFrames(page, 2);
        check(await page.evaluate(() => document.activeElement.id) === 'game', 'the game has the keyboard back');
        await page.keyboard.press('Enter');
        check(await within(page, 4, () => Module.kestrel.view() === 2), 'keys reach the game again after OK');
    });

    await scenario('S stops the music and starts it again after the hold', async () => {
        // From the end of the page's first tune on, only its loop can play.
        await until(page, (end) => Module.kestrel.music().time > end, tuneSeen.time + tuneSeen.length + 0.5);
        const playing = await probe(page, 'music');
        check(Math.abs(tuneSeen.length - tuneSeconds()) < 0.01, `the page's tune lasts ${tuneSeen.length} s`);
        check(playing.playing && playing.context === 'running' && playing.level > 0.01,
            `the tune plays on past its end (${tuneSeen.length.toFixed(1)} s) ${JSON.stringify(playing)}`);
        await page.keyboard.press('s');
        check(await within(page, 30, () => !Module.kestrel.music().playing && Module.kestrel.music().level === 0),
            'S stops the tune');
        await press(page, 's');
        await waitFrames(page, 4);
        check(!(await probe(page, 'music')).playing, 'S during the hold is dropped');
        await waitFrames(page, 62);
        await page.keyboard.press('s');
        check(await within(page, 30, () => Module.kestrel.music().playing && Module.kestrel.music().level > 0.01),
            'S after the hold starts the tune again');
    });

    await scenario('Escape ends the game, the dialog shown but the game clicked', async () => {
        await press(page, 'm');
        await until(page, () => document.getElementById('menu').open);
        await page.mouse.click(40, Height - 40);
        await page.keyboard.press('Escape');
        await until(page, () => Module.kestrel.running() === 0 && !document.getElementById('ended').hidden);
        const line = await page.evaluate(() => document.getElementById('ended').textContent);
        check(/ended/.test(line) && /[Rr]eload/.test(line), `the page says so: "${line}"`);
        check(!(await page.evaluate(() => document.getElementById('menu').open)), 'quitting closes the dialog');
        check(!(await probe(page, 'music')).playing, 'quitting stops the tune');
        const frames = await probe(page, 'frames');
        // Several frame periods later no frame has been drawn.
        await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 400)));
        check(await probe(page, 'frames') === frames, 'the loop has ended');
        await screenshot(page, 'ended');
    });

    // Headless Chromium never blocks audio: these pages' audio starts suspended,
    // as a browser's autoplay rule leaves it until a user gesture.
    async function blockedAudioPage(width, height) {
        const quiet = await openGame({width, height}, () => {
            const Unblocked = window.AudioContext;
            window.AudioContext = class extends Unblocked {
                constructor(...options) {
                    super(...options);
                    this.suspend();
                }
            };
        });
        await waitFrames(quiet, 10);
        const blocked = await probe(quiet, 'music');
        check(blocked.context === 'suspended' && blocked.level === 0, `silent before a gesture ${JSON.stringify(blocked)}`);
        return quiet;
    }

    await scenario('where audio is blocked any key or click starts the tune; other window shapes stretch', async () => {
        const keyed = await blockedAudioPage(Width, Height);
        await keyed.keyboard.press('x');
        check(await within(keyed, 300, () => Module.kestrel.music().playing && Module.kestrel.music().level > 0.01),
            `a key that is no game key lets the tune play ${JSON.stringify(await probe(keyed, 'music'))}`);
        await keyed.close();
        const quiet = await blockedAudioPage(Width, Height);
        await quiet.mouse.click(Width / 2, Height / 2);
        check(await within(quiet, 300, () => Module.kestrel.music().playing && Module.kestrel.music().level > 0.01),
            `a click lets the tune play ${JSON.stringify(await probe(quiet, 'music'))}`);
        check(await quiet.$eval('#touch', (overlay) => overlay.hidden), 'a mouse player\'s click shows no touch buttons');

        // Another window shape: the drawing keeps its first size and stretches.
        await quiet.setViewport({width: 1280, height: 1024});
        await waitFrames(quiet, 3);
        const size = await quiet.evaluate(() => [document.getElementById('game').width,
            document.getElementById('game').height]);
        check(size[0] === Width && size[1] === Height, `the viewport was set once ${size}`);
        const tall = await screenshot(quiet, 'title-1280x1024');
        check(near(tall.at(...bannerCell(2, 29, 1280, 1024)), [0, 0, 0]) &&
              near(tall.at(...bannerCell(2, 32, 1280, 1024)), Grey, 8), 'the banner stretched with the window');
        await quiet.close();

        // A desktop window taller than wide is no phone held upright: no request to turn, the game drawn as the
        // window is. The page knows so without its style sheet too, which a browser may refuse.
        const noStyle = () => new MutationObserver((changes) => changes.forEach((change) => change.addedNodes
            .forEach((node) => node.rel === 'stylesheet' && node.remove())))
            .observe(document, {childList: true, subtree: true});
        for (const [beforeLoad, sheets] of [[() => {}, 1], [noStyle, 0]]) {
            const upright = await openGame({width: 720, height: 1280}, beforeLoad);
            const shown = await upright.evaluate(() => [getComputedStyle(document.getElementById('turn')).display,
                document.styleSheets.length, document.getElementById('game').width,
                document.getElementById('game').height]);
            check((shown[0] === 'none' || sheets === 0) && shown[1] === sheets && shown[2] === 720 && shown[3] === 1280,
                `a desktop window 720x1280 (turn, style sheets, drawing): ${shown}`);
            await upright.close();
        }
    });

    await scenario('on a phone the touch buttons play the game', async () => {
        const [width, height] = [844, 390];
        const held = (w, h) => ({width: w, height: h, isMobile: true, hasTouch: true, isLandscape: w > h});
        // Held upright, the page asks to be turned, and draws already at the shape the game is played in.
        const phone = await openGame(held(height, width));
        const upright = await phone.evaluate(() => [getComputedStyle(document.getElementById('turn')).display,
            document.getElementById('turn').textContent.trim(), document.getElementById('game').width,
            document.getElementById('game').height]);
        await screenshot(phone, 'phone-upright');
        check(upright[0] !== 'none' && /Turn your phone sideways/.test(upright[1]) && upright[2] === width &&
            upright[3] === height, `upright, the page asks to be turned and draws as the phone turned ${upright}`);
        await phone.setViewport(held(width, height));
        await waitFrames(phone, 2);
        const centre = (selector) => phone.$eval(selector, (button) => {
            const box = button.getBoundingClientRect();
            return [box.x + box.width / 2, box.y + box.height / 2];
        });
        const bare = await screenshot(phone, 'phone-title');
        check(await phone.$eval('#touch', (overlay) => overlay.hidden) && near(bare.at(80, 300), Ground, 12),
            'no touch buttons before the first touch');
        await phone.touchscreen.tap(width / 2, height / 2);
        await waitFrames(phone, 2);
        const shown = await screenshot(phone, 'phone-touch');
        check(!near(shown.at(80, 300), Ground, 12), 'the first touch shows the buttons');
        const bannerRows = [];
        for (let x = 0; x < width; x += 4) {
            for (let y = Math.ceil(height * 0.14); y <= height * 0.21; y += 2) {
                bannerRows.push([x, y]);
            }
        }
        check(bannerRows.every(([x, y]) => near(shown.at(x, y), bare.at(x, y), 0)), 'the banner rows stay clear');

        // A held button repeats like a held key; a second finger works meanwhile: its M shows the help, which takes
        // the keys, and the held button stops repeating (one repeat may still wait behind M).
        const [leftX, leftY] = await centre('[aria-label="Left"]');
        const [mX, mY] = await centre('[aria-label="M"]');
        const touch = (type, points) => phone._client().send('Input.dispatchTouchEvent', {type, touchPoints: points});
        // The page's clock at the first button's touch and at every change of heading after it.
        await phone.evaluate(() => {
            window.steps = [];
            const heading = () => Module.kestrel.heading();
            window.addEventListener('pointerdown', () => steps.length === 0 && steps.push([performance.now(), heading()]),
                true);
            setInterval(() => steps.length > 0 && steps[steps.length - 1][1] !== heading() &&
                steps.push([performance.now(), heading()]), 2);
        });
        const heading = await probe(phone, 'heading');
        await touch('touchStart', [{x: leftX, y: leftY, id: 0}]);
        await waitFrames(phone, 25);
        await touch('touchStart', [{x: leftX, y: leftY, id: 0}, {x: mX, y: mY, id: 1}]);
        await touch('touchEnd', [{x: mX, y: mY, id: 1}]);
        await until(phone, () => document.getElementById('menu').contains(document.activeElement));
        await waitFrames(phone, 3);
        const atHelp = await probe(phone, 'heading');
        await waitFrames(phone, 10);
        const stood = await probe(phone, 'heading') === atHelp;
        await touch('touchEnd', [{x: leftX, y: leftY, id: 0}]);
        const turns = (heading - atHelp + 360) % 360 / 2;
        check(turns >= 4 && stood, `held Left turned ${turns} times; a second finger's M showed help, Left stopped`);
        const repeated = await phone.evaluate(() => steps[2][0] - steps[0][0]);
        check(repeated >= 500, `a held button's first repeat shows ${repeated.toFixed(0)} ms after its touch`);
        // A touch on a button gives the game the keys back: held again, Left repeats behind the help still shown.
        const behind = await probe(phone, 'heading');
        await touch('touchStart', [{x: leftX, y: leftY, id: 0}]);
        await waitFrames(phone, 25);
        await touch('touchEnd', [{x: leftX, y: leftY, id: 0}]);
        const again = (behind - await probe(phone, 'heading') + 360) % 360 / 2;
        check(again >= 4 && await phone.evaluate(() => document.getElementById('menu').open),
            `held again once the game has the keys, Left turned ${again} times behind the help`);
        await phone.touchscreen.tap(...await centre('#menu-ok'));

        const tap = async (label) => {
            await phone.touchscreen.tap(...await centre(`[aria-label="${label}"]`));
            await waitFrames(phone, 2);
        };
        await tap('Enter');
        check(await probe(phone, 'view') === 2, 'Enter shows the road');
        const road = await screenshot(phone, 'phone-road');
        await phone.$eval('#touch', (overlay) => { overlay.hidden = true; });
        await waitFrames(phone, 1);
        const roadBare = await screenshot(phone, 'phone-road-bare');
        await phone.$eval('#touch', (overlay) => { overlay.hidden = false; });
        const roadMiddle = [];
        for (let y = Math.ceil(height * 0.45); y < height; y += 2) {
            for (let x = width * 0.45; x <= width * 0.55; x += 4) {
                roadMiddle.push([x, y]);
            }
        }
        check(roadMiddle.every(([x, y]) => near(road.at(x, y), roadBare.at(x, y), 0)), 'the road\'s middle stays clear');
        await tap('Up');
        await tap('Right');
        check(await probe(phone, 'runStart') > 0 && await probe(phone, 'carX') === 0.15, 'Up starts a run and Right moves the car');

        // Any shape from 320x480 up, either way round: no two buttons overlap, none covers the banner's rows
        // or the road's middle, and Escape stays at the top right, away from the thumbs.
        for (const [w, h] of [[320, 480], [390, 844], [768, 1024], [480, 320], [568, 320], [844, 390], [1024, 768],
            [1920, 1080]]) {
            await phone.setViewport(held(w, h));
            const boxes = await phone.evaluate(() => [...document.querySelectorAll('button')]
                .filter((button) => button.getClientRects().length > 0)
                .map((b) => ({...b.getBoundingClientRect().toJSON(), label: b.ariaLabel || b.textContent})));
            const meets = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            const clashes = boxes.flatMap((a, i) => boxes.slice(i + 1).filter((b) => meets(a, b)).map((b) => b.label));
            const covering = boxes.filter((box) => meets(box, {left: 0, right: w, top: h * 0.14, bottom: h * 0.21}) ||
                meets(box, {left: w * 0.45, right: w * 0.55, top: h * 0.45, bottom: h})).map((box) => box.label);
            const escape = boxes.find((box) => box.label === 'Escape');
            const placed = h >= w ? boxes.length === 1 && boxes[0].label === 'Full screen' :
                boxes.length === 10 && escape.left > w / 2 && escape.bottom < h * 0.14;
            check(placed && clashes.length === 0 && covering.length === 0,
                `${w}x${h}: ${boxes.length} buttons, overlapping ${clashes}, covering ${covering}, Escape top right`);
        }
        await phone.setViewport(held(width, height));
        await tap('M');
        check(await phone.evaluate(() => document.getElementById('menu').open), 'M shows the help');
        await phone.touchscreen.tap(...await centre('#menu-ok'));
        await until(phone, () => !document.getElementById('menu').open && Module.kestrel.helpOpen() === 0);
        await phone.touchscreen.tap(...await centre('[aria-label="Escape"]'));
        await until(phone, () => !document.getElementById('ended').hidden);
        await phone.close();
    });

    await scenario('a game pad plays the game', async () => {
        const padded = await openGame({width: Width, height: Height}, () => {
            window.testPad = {id: 'test pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
                buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
            // Stick positions for the coming polls, one each: the game polls once a pass.
            window.stickScript = [];
            navigator.getGamepads = () => {
                if (window.stickScript.length > 0) {
                    window.testPad.axes[0] = window.stickScript.shift();
                }
                return [window.testPad];
            };
        });
        const set = async (change) => {
            await padded.evaluate(change);
            await waitFrames(padded, 2);
        };
        const button = (index, pressed) => set(new Function(`testPad.buttons[${index}].pressed = ${pressed};`));
        // Back shows the help, which has the keys and so the pad: Left and Back with Start do nothing, A presses OK.
        const heading = await probe(padded, 'heading');
        for (const [i, down] of [[8, 1], [8, 0], [14, 1], [8, 1], [9, 1], [14, 0], [8, 0], [9, 0], [9, 1], [9, 0]]) {
            await button(i, down);
        }
        const untouched = await probe(padded, 'running') === 1 && await probe(padded, 'heading') === heading;
        check(untouched && await probe(padded, 'helpOpen') === 1, 'Left, Back+Start, Start reached no game nor OK');
        await button(0, true);
        await button(0, false);
        check(await probe(padded, 'helpOpen') === 0, 'A shut the help');
        await button(9, true);
        await button(9, false);
        check(await probe(padded, 'view') === 2, 'Start shows the road');
        // The A that shuts the help is the dialog's alone: the game never sees it go down, so it starts no run.
        await button(8, true);
        await button(8, false);
        await button(0, true);
        await button(0, false);
        check(await probe(padded, 'helpOpen') === 0 && await probe(padded, 'runStart') < 0,
            'in the play view too, the A that shut the help started no run');
        await button(0, true);
        await button(0, false);
        check(await probe(padded, 'runStart') > 0, 'A starts a run');
        // Pushed, then resting about half way for a few passes, well within the 500 ms before a repeat.
        await padded.evaluate(() => window.stickScript.push(0.6, 0.45, 0.55, 0.3, 0));
        await until(padded, () => window.stickScript.length === 0);
        await waitFrames(padded, 1);
        check(await probe(padded, 'carX') === 0.15, 'the stick moves the car one step and rests near half way without chatter');
        await button(8, true);
        check(await probe(padded, 'helpOpen') === 0, 'Back alone does nothing while held');
        await padded.evaluate(() => { testPad.buttons[9].pressed = true; });
        await until(padded, () => !document.getElementById('ended').hidden);
        await padded.close();
    });

    await scenario('a shared run plays from its link as the simulator plays it; after a run the page offers its own', async () => {
        const simulate = path.join(path.dirname(nativeFrames), '..', 'tools', 'simulate');
        const [width, height] = [640, 360];
        for (const name of ['hit_random_b', 'road_waits', 'long_run_victory']) {
            const record = path.join(shotDir, `web-${name}.run`);
            fs.writeFileSync(record, childProcess.execFileSync(simulate, ['--record',
                path.join(sourceDir, 'tests/replays', `${name}.keys`)]));
            const text = fs.readFileSync(record, 'utf8');
            const link = childProcess.execFileSync(simulate, ['--link', record]).toString().trim();
            const simulated = path.join(shotDir, `web-${name}-simulated.png`);
            const last = childProcess.execFileSync(nativeFrames, [String(width), String(height), simulated, '--play',
                record]).toString();
            const passes = Number(/passes (\d+)/.exec(text)[1]);
            const shared = await browser.newPage();
            watch(shared);
            await shared.setViewport({width, height});
            await shared.goto(`${address}#run=${link}`);
            await until(shared, () => window.Module && Module.kestrel && Module.kestrel.frames() >= 1);
            // A run whose keys are all taken in its first passes may be over already.
            const note = await shared.$eval('#run-note', (line) => (line.hidden ? '' : line.textContent));
            const lastKey = Number(/(\d+) \w+\npasses/.exec(text)[1]);
            check(lastKey < 30 || /shared run is playing/.test(note), `${name}: the page says a shared run plays: "${note}"`);
            await shared.waitForFunction((end) => Module.kestrel.frames() >= end, {timeout: 300000, polling: 100},
                passes);
            const offered = await shared.evaluate(() => [document.getElementById('run-note').hidden,
                document.getElementById('share').hidden, Module.kestrel.runText()]);
            const keys = (record) => record.split('\n').filter((line) => /^\d/.test(line)).join(',');
            check(offered[0] && !offered[1] && keys(offered[2]) === keys(text),
                `${name}: the line goes at the record's end, the page offers the run, its record holds the keys played`);
            // The picture alone, without the page's share buttons over it.
            await shared.evaluate(() => { document.getElementById('share').hidden = true; });
            const match = comparePictures(await screenshot(shared, `${name}-played`),
                decodePng(fs.readFileSync(simulated)), 2);
            const score = Number(/ score=(\d+)/.exec(last)[1]);
            check(match.fraction < 0.005 && await probe(shared, 'score') === score,
                `${name}: the last frame as the simulator draws it, score ${score}: ${match.summary}`);
            if (name === 'long_run_victory') {
                check(link.length < 2048, `the link of a 73-wave victory is ${link.length} characters`);
                // C copies the page's own link to this game, the field showing it where the clipboard is refused:
                // the played keys, then the frames drawn so far, which go on counting, and its checksum.
                await shared.keyboard.press('c');
                await until(shared, () => !document.getElementById('share-link').hidden);
                const own = await shared.$eval('#share-link', (field) => field.value);
                check(own.startsWith(`${address}#run=${link.slice(0, -8)}`) && own.length < 2048,
                    `C gives the link to this game (${own.length} characters)`);
            }
            await shared.close();
        }
        const bad = await browser.newPage();
        watch(bad);
        await bad.goto(`${address}#run=${'A'.repeat(40)}`);
        await until(bad, () => window.Module && Module.kestrel && Module.kestrel.frames() >= 3);
        const note = await bad.$eval('#run-note', (line) => (line.hidden ? '' : line.textContent));
        await bad.keyboard.press('Enter');
        check(/cannot be played: .*\. The game starts as usual\.$/.test(note) &&
            await within(bad, 10, () => Module.kestrel.view() === 2), `a corrupt link says so, and the game plays: "${note}"`);
        await bad.close();
    });

    await scenario('without WebGL the page says it cannot draw the game', async () => {
        const bare = await openGame({width: 800, height: 600}, () => {
            const getContext = HTMLCanvasElement.prototype.getContext;
            HTMLCanvasElement.prototype.getContext = function (type, ...options) {
                return /webgl/.test(type) ? null : getContext.call(this, type, ...options);
            };
        }, () => !document.getElementById('no-webgl').hidden);
        const line = await bare.evaluate(() => document.getElementById('no-webgl').textContent);
        check(/cannot draw the game/.test(line), `the page says so: "${line}"`);
        await screenshot(bare, 'no-webgl');
        await bare.close();
    });

    check(errors.length === 0, `no page errors and nothing the page's policy refused ${errors.join('; ')}`);
    // The policy lets nothing else in: another host's picture and data, a script written into the page.
    const refused = await page.evaluate(() => new Promise((resolve) => {
        const seen = [];
        // A policy that lets one through never reports three: what it did refuse is read after 5 s.
        setTimeout(() => resolve(seen.sort()), 5000);
        document.addEventListener('securitypolicyviolation',
            (event) => seen.push(event.effectiveDirective) === 3 && resolve(seen.sort()));
        new Image().src = 'http://kestrel.test/picture.png';
        fetch('http://kestrel.test/data').catch(() => {});
        document.body.appendChild(document.createElement('script')).textContent = 'window.written = 1';
    }));
    check(JSON.stringify(refused) === '["connect-src","img-src","script-src-elem"]', `the policy refused ${refused}`);
    await browser.close();
    server.close();
}

runChecks(main);
