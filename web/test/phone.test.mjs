// A touch-only game on an emulated phone (a Pixel 5, held sideways, then upright): the game fills
// the screen, taps lead into play and press the on-screen buttons (relaxed mode, hints, sound,
// pause, full screen, play again, quit), a finger drags a dealt piece onto the chain, two taps
// lift it and a tap bins it, a tap on the paused banner resumes after the page was hidden, the
// settings outlive a reload, and the console stays clean: no errors, no complaint about passive
// touch listeners. Screenshots go to $GRIDLUME_SHOTS as phone-*.png.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';
import {
    at, colours, difference, greyRow, load, measure, openGame, screenshot, sleep, startBrowser,
    waitForLine, yellowRow,
} from './browser.mjs';

const settingsFile = '/home/web_user/.local/share/gridlume/settings';
let session;
let game;
let touch; // the page's DevTools session, for touches and the browser's own warnings
const warnings = [];

// The buttons' centres in game pixels (states/Buttons.h, world x + 400, 300 - world y).
const button = {
    startSound: [44, 42], startHints: [678, 42], relaxed: [400, 525],
    pause: [138, 48], hints: [644, 48], fullScreen: [714, 48], banner: [440, 48],
    playAgain: [122, 510], quit: [678, 510], bin: [48, 515],
};
const countdown = [692, 556, 100, 36];

async function finger(type, x, y) {
    const [px, py] = at(game, x, y);
    await touch.send('Input.dispatchTouchEvent',
        { type, touchPoints: type === 'touchEnd' ? [] : [{ x: px, y: py }] });
}

async function tap(x, y, settle = 300) {
    await finger('touchStart', x, y);
    await sleep(60);
    await finger('touchEnd', x, y);
    await sleep(settle);
}

// A finger drawn from one game pixel to another in small steps, still down at the end.
async function slide(from, to, steps = 8) {
    for (let step = 1; step <= steps; step++) {
        await finger('touchMove', from[0] + (step * (to[0] - from[0])) / steps,
            from[1] + (step * (to[1] - from[1])) / steps);
        await sleep(40);
    }
}

async function openPhone(device) {
    game = await openGame(session.browser, session.url, device);
    touch = await game.page.createCDPSession();
    await touch.send('Log.enable');
    touch.on('Log.entryAdded', ({ entry }) => {
        if (entry.level === 'error' || /passive/.test(entry.text)) warnings.push(entry.text);
    });
}

before(async () => {
    session = await startBrowser();
    await openPhone(KnownDevices['Pixel 5 landscape']);
});
after(() => session?.stop());

test('held sideways, the game fills the screen\'s height at 4:3', async () => {
    const screen = await game.page.evaluate(() => innerHeight);
    assert.ok(game.canvas.height >= 0.9 * screen, `${game.canvas.height} of ${screen}`);
    assert.ok(await game.page.$eval('#keys', (e) => getComputedStyle(e).display === 'none'));
});

test('taps on the instructions choose relaxed mode and hints, and mute', async () => {
    await tap(400, 300);
    await waitForLine(game, 'Loaded texture ./img/instructions.jpg');
    await sleep(300);
    const shown = await screenshot(game, 'phone-1-instructions');
    await tap(...button.relaxed);
    await tap(...button.startHints);
    await tap(...button.startSound);
    const chosen = await screenshot(game, 'phone-2-chosen');
    assert.ok(difference(shown, chosen, 240, 505, 320, 40) > 0.1, 'relaxed mode did not change');
    assert.ok(difference(shown, chosen, 646, 10, 64, 64) > 0.1, 'the hints button did not change');
    assert.ok(difference(shown, chosen, 756, 12, 32, 32) > 0.2, 'no sound-off sign');
    await tap(...button.startSound);
    await tap(400, 300);
    await waitForLine(game, 'Loaded Sound chain');
});

let placedAt;
test('a finger drags a dealt piece onto the chain', async () => {
    await sleep(500);
    const before = await screenshot(game, 'phone-3-play');
    let grabbed = null;
    for (let attempt = 0; attempt < 20 && !grabbed; attempt++) {
        const taken = Date.now();
        const chute = await screenshot(game, 'phone-chute');
        const row = yellowRow(chute, 50, 60, 470);
        if (row !== null && row < 400) {
            const y = row + Math.round((Date.now() - taken) * 0.0764) + 4;
            await finger('touchStart', 50, y);
            await slide([50, y], [150, y], 4);
            await sleep(200);
            const held = await screenshot(game, 'phone-grabbed');
            if (yellowRow(held, 150, y - 45, y + 45) !== null) grabbed = [150, y];
            // Missed, or held where the check could not see it: back over the chute before
            // letting go, so a piece let go here goes back to the chute instead of onto the
            // board, where the next tries would be pushed off it.
            else {
                await slide([150, y], [50, y], 4);
                await finger('touchEnd', 50, y);
            }
        }
        await sleep(500);
    }
    assert.ok(grabbed, 'could not pick up a dealt piece');
    const chain = await screenshot(game, 'phone-chain');
    const x = [260, 280, 240, 300, 220].find((column) => greyRow(chain, column, 330, 520) !== null);
    assert.ok(x !== undefined, 'no chain between the motor and the first gear');
    placedAt = [x, greyRow(chain, x, 330, 520)];
    await slide(grabbed, placedAt);
    await finger('touchEnd', ...placedAt);
    await sleep(800);
    const placed = await screenshot(game, 'phone-4-placed');
    assert.ok(difference(before, placed, placedAt[0] - 18, placedAt[1] - 18, 36, 36) > 0.08,
        'the piece did not arrive');
});

test('two taps lift the placed piece and a tap on the bin bins it', async () => {
    const placed = await screenshot(game, 'phone-5-before-lift');
    await tap(...placedAt, 0);
    await sleep(150);
    await tap(...placedAt, 0); // within half a second: lifted
    await sleep(700);
    await tap(...button.bin, 1200);
    const binned = await screenshot(game, 'phone-6-binned');
    assert.ok(difference(placed, binned, placedAt[0] - 18, placedAt[1] - 18, 36, 36) > 0.08,
        'the piece is still in its place');
});

async function moving() {
    const a = await screenshot(game, 'phone-clock');
    await sleep(1200);
    const b = await screenshot(game, 'phone-clock-later');
    return difference(a, b, ...countdown) > 0.02;
}

test('the pause button pauses; a tap on the banner resumes, after hiding too', async () => {
    await tap(...button.pause);
    await sleep(300);
    await screenshot(game, 'phone-7-paused');
    assert.equal(await moving(), false, 'the pause button did not pause');
    await tap(...button.banner);
    assert.equal(await moving(), true, 'a tap on the banner did not resume');

    const other = await session.browser.newPage();
    await other.bringToFront();
    await other.close();
    await game.page.bringToFront();
    await sleep(300);
    assert.equal(await moving(), false, 'the hidden page did not pause');
    await tap(...button.banner);
    assert.equal(await moving(), true, 'a tap did not resume after hiding');
});

test('the hints and full-screen buttons', async () => {
    const before = await screenshot(game, 'phone-8-hints');
    await tap(...button.hints);
    const after = await screenshot(game, 'phone-9-hints-toggled');
    assert.ok(difference(before, after, 612, 16, 64, 64) > 0.1, 'the hints button did not change');
    await tap(...button.fullScreen);
    await game.page.waitForFunction("document.fullscreenElement?.id === 'stage'");
    await sleep(300);
    await measure(game);
    await screenshot(game, 'phone-10-full-screen');
    await tap(...button.fullScreen);
    await game.page.waitForFunction('!document.fullscreenElement');
    await sleep(300);
    await measure(game);
});

test('on the end screen a stray tap does nothing, Play again plays, Quit quits', async () => {
    await game.page.evaluate('window.gridlumeWarpMs = 250000');
    const end = () => game.log.some((l) => /Loaded texture \.\/img\/(win|lose)\.jpg/.test(l));
    for (let i = 0; i < 100 && !end(); i++) await sleep(100);
    assert.ok(end(), 'no end screen');
    await game.page.evaluate('window.gridlumeWarpMs += 10000'); // past the five seconds
    await sleep(300);
    const ended = await screenshot(game, 'phone-11-end');
    await tap(400, 300);
    assert.ok(await game.page.$eval('#goodbye', (e) => e.hidden), 'a stray tap quit');
    await tap(...button.playAgain, 800);
    const again = await screenshot(game, 'phone-12-again');
    assert.ok(difference(ended, again, 0, 0, 800, 600) > 0.3, 'Play again did not play');
    await game.page.evaluate('window.gridlumeWarpMs += 250000');
    await sleep(1500);
    await game.page.evaluate('window.gridlumeWarpMs += 10000');
    await sleep(300);
    await tap(...button.quit);
    await game.page.waitForSelector('#goodbye:not([hidden])', { timeout: 5000 });
});

test('upright, the game fills the width; the settings survived', async () => {
    await game.page.emulate(KnownDevices['Pixel 5']);
    await sleep(500); // the settings reach IndexedDB asynchronously
    await load(game, () => game.page.reload());
    const screen = await game.page.evaluate(() => innerWidth);
    assert.ok(game.canvas.width >= 0.9 * screen, `${game.canvas.width} of ${screen}`);
    assert.ok(await game.page.$eval('#turn', (e) => getComputedStyle(e).display !== 'none'));
    const settings = await game.page.evaluate(`Module.gridlumeReadFile('${settingsFile}')`);
    assert.match(settings ?? '', /^relaxed on$/m);
    const shot = await screenshot(game, 'phone-13-upright');
    assert.ok(colours(shot) > 50, 'the splash is not drawn');
    await tap(400, 300);
    await tap(400, 300);
    await waitForLine(game, 'Loaded Sound chain');
});

test('nothing went wrong on the console', () => {
    assert.deepEqual(game.errors, []);
    assert.deepEqual(warnings, []);
});
