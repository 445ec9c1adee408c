// The page's test harness: the machine's own headless Chromium (never a downloaded one) driven
// by puppeteer-core, the built site served on 127.0.0.1, and the helpers the play test shares
// with the desktop's end-to-end library (tools/lib.sh): clicks in game pixels, screenshots kept
// for looking at, the pixels of a column, the clock moved on.
import { mkdtemp, mkdir, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { serve } from '../serve.mjs';

export const site = process.env.GRIDLUME_SITE;
export const shots = process.env.GRIDLUME_SHOTS;
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Moves the game's clock: GLUT's elapsed time is Date.now() less the start, so an offset on
// Date.now() is what the desktop's timewarp shim does to glutGet. Injected by the test before
// the page's own scripts; the page has no such switch.
function clockShim() {
    const realNow = Date.now.bind(Date);
    window.gridlumeWarpMs = 0;
    Date.now = () => realNow() + window.gridlumeWarpMs;
}

// The loading bar's widths as the page sets them, to see it fill before the splash.
function progressRecorder() {
    window.gridlumeProgress = [];
    new MutationObserver(() => {
        const fill = document.getElementById('fill');
        if (fill) window.gridlumeProgress.push(parseFloat(fill.style.width) || 0);
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ['style'] });
}

export async function startBrowser() {
    const { server, url } = await serve(site);
    const profile = await mkdtemp(join(tmpdir(), 'gridlume-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.GRIDLUME_CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader',
            '--enable-unsafe-swiftshader', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--no-first-run',
            `--user-data-dir=${profile}`],
    });
    if (shots) await mkdir(shots, { recursive: true });
    const stop = async () => {
        await browser.close();
        server.close();
        await rm(profile, { recursive: true, force: true });
    };
    return { browser, url, stop };
}

// A page of the game with its console kept: `log` holds the game's lines, `errors` every console
// error and uncaught exception.
// With a DEVICE (one of puppeteer's KnownDevices), the page is seen as on that phone. With
// SLOW, the first load comes at 2 MB/s: from 127.0.0.1 the data arrives in one piece, and the
// loading bar would have nothing to show between empty and full.
export async function openGame(browser, url, device, slow = false) {
    const page = await browser.newPage();
    if (slow) await page.emulateNetworkConditions({ download: 2e6, upload: 2e6, latency: 20 });
    if (device) {
        await page.emulate(device);
    } else {
        // The canvas is then exactly 800 by 600 CSS pixels: one game pixel each.
        await page.setViewport({ width: 816, height: 740 });
    }
    await page.evaluateOnNewDocument(clockShim);
    await page.evaluateOnNewDocument(progressRecorder);
    const game = { page, log: [], errors: [] };
    page.on('console', (m) => {
        if (m.type() === 'error') game.errors.push(m.text());
        else game.log.push(m.text());
    });
    page.on('pageerror', (e) => game.errors.push(e.message));
    await load(game, () => page.goto(url));
    if (slow) await page.emulateNetworkConditions(null);
    return game;
}

// Navigates (or reloads) and waits for the first frame of the splash.
export async function load(game, navigate) {
    game.log.length = 0;
    await navigate();
    await game.page.waitForFunction('window.gridlumeSplashAt', { timeout: 20000 });
    await measure(game);
}

// Where the canvas is on the page now (it moves in and out of full screen).
export async function measure(game) {
    game.canvas = await game.page.$eval('#canvas', (c) => {
        const r = c.getBoundingClientRect();
        return { x: r.x, y: r.y, width: r.width, height: r.height };
    });
}

export async function waitForLine(game, text, seconds = 10) {
    const until = Date.now() + seconds * 1000;
    while (!game.log.some((line) => line.includes(text))) {
        if (Date.now() > until) throw new Error(`the game never wrote '${text}'`);
        await sleep(50);
    }
}

// Game pixels (the 800 by 600 picture) to the page's pixels, however large the canvas is shown.
const at = (game, x, y) => [game.canvas.x + (x * game.canvas.width) / 800,
    game.canvas.y + (y * game.canvas.height) / 600];
export { at };

export async function click(game, x, y) {
    await game.page.mouse.move(...at(game, x, y));
    await game.page.mouse.down();
    await sleep(150);
    await game.page.mouse.up();
    await sleep(300);
}

export const press = (game, x, y) =>
    game.page.mouse.move(...at(game, x, y)).then(() => game.page.mouse.down());
export const moveTo = (game, x, y) => game.page.mouse.move(...at(game, x, y));
export const release = (game) => game.page.mouse.up();

// The canvas as a PNG, kept as NAME.png in $GRIDLUME_SHOTS; returns its pixels in game pixels
// (RGBA, 800 by 600, scaled by the browser itself from a canvas shown at any size).
export async function screenshot(game, name) {
    const png = await game.page.screenshot({ clip: game.canvas });
    if (shots) await writeFile(join(shots, `${name}.png`), png);
    const rgba = await game.page.evaluate(async (base64) => {
        const blob = await (await fetch(`data:image/png;base64,${base64}`)).blob();
        const image = await createImageBitmap(blob);
        const canvas = new OffscreenCanvas(800, 600);
        const context = canvas.getContext('2d');
        context.drawImage(image, 0, 0, 800, 600);
        const data = context.getImageData(0, 0, 800, 600).data;
        const url = await new Promise((resolve) => {
            const reader = new FileReader();
            reader.onload = () => resolve(reader.result);
            reader.readAsDataURL(new Blob([data]));
        });
        return url.slice(url.indexOf(',') + 1);
    }, Buffer.from(png).toString('base64'));
    return { width: 800, rgba: Buffer.from(rgba, 'base64') };
}

export function pixel(shot, x, y) {
    const i = 4 * (y * shot.width + x);
    return [shot.rgba[i], shot.rgba[i + 1], shot.rgba[i + 2]];
}

// The share of pixels in the box that differ by more than 40 on some channel.
export function difference(a, b, x0, y0, w, h) {
    let changed = 0;
    for (let y = y0; y < y0 + h; y++) {
        for (let x = x0; x < x0 + w; x++) {
            const p = pixel(a, x, y);
            const q = pixel(b, x, y);
            if (p.some((v, i) => Math.abs(v - q[i]) > 40)) changed++;
        }
    }
    return changed / (w * h);
}

// The middle row of the yellowish pixels in column X between rows Y0 and Y1 (the bulb on a dealt
// piece), or null; the same test as yellow_rows in tools/lib.sh.
export function yellowRow(shot, x, y0, y1) {
    let sum = 0;
    let n = 0;
    for (let y = y0; y < y1; y++) {
        const [r, g, b] = pixel(shot, x, y);
        if (r > 170 && g > 120 && b < 110) {
            sum += y;
            n++;
        }
    }
    return n > 0 ? Math.floor(sum / n) : null;
}

// The first row between Y0 and Y1 in column X where the picture is a neutral grey (the chain's
// links over the green board), or null; grey_row in tools/lib.sh.
export function greyRow(shot, x, y0, y1) {
    for (let y = y0; y < y1; y++) {
        const p = pixel(shot, x, y);
        if (Math.max(...p) - Math.min(...p) < 30 && Math.max(...p) > 80) return y;
    }
    return null;
}

export function colours(shot) {
    const seen = new Set();
    for (let i = 0; i < shot.rgba.length; i += 4 * 97) {
        seen.add((shot.rgba[i] << 16) | (shot.rgba[i + 1] << 8) | shot.rgba[i + 2]);
    }
    return seen.size;
}
