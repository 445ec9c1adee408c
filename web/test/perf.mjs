// By hand (docs/performance.md): navigation to the splash's first frame over ROUNDS fresh
// loads, then frames per second over SECONDS of play in the page's headless Chromium
// (SwiftShader). Usage: GRIDLUME_SITE=build-web/site node web/test/perf.mjs [ROUNDS] [SECONDS]
// [STILL_SECONDS]. With STILL_SECONDS (tools/perf/three-builds.sh), the browser's processor time
// (every one of its processes) is measured that long on the still splash first, and the play is
// counted during the benchmark's scripted drag, the same path the desktop builds get.
import { readFileSync, readdirSync } from 'node:fs';
import {
    click, moveTo, openGame, press, release, sleep, startBrowser, waitForLine,
} from './browser.mjs';

const rounds = Number(process.argv[2] || 5);
const seconds = Number(process.argv[3] || 10);
const still = Number(process.argv[4] || 0);

// Clock ticks (user + system) of the process PID and all its descendants.
function treeTicks(root) {
    const parent = new Map();
    const ticks = new Map();
    for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
        try {
            const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
            const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
            parent.set(pid, fields[1]);
            ticks.set(pid, Number(fields[11]) + Number(fields[12]));
        } catch {
            // ended meanwhile
        }
    }
    let sum = 0;
    for (const [pid, t] of ticks) {
        for (let p = pid; p && p !== '0'; p = parent.get(p)) {
            if (p === String(root)) {
                sum += t;
                break;
            }
        }
    }
    return sum;
}

// The drag of tools/perf/three-builds.sh: a press on the chute, then round an ellipse over the
// board once every 4 s, 30 moves a second, and the release where it ends.
async function drag(game, span) {
    await press(game, 50, 150);
    const start = Date.now();
    for (let i = 1; i <= span * 30; i++) {
        const a = (2 * Math.PI * i) / 120;
        const x = Math.round(400 + 250 * Math.cos(a));
        await moveTo(game, x, Math.round(300 + 150 * Math.sin(a)));
        await sleep(Math.max(0, start + (i * 1000) / 30 - Date.now()));
    }
    await release(game);
}

const session = await startBrowser();
try {
    const splash = [];
    let game;
    for (let i = 0; i < rounds; i++) {
        await game?.page.close();
        game = await openGame(session.browser, session.url);
        splash.push(Math.round(await game.page.evaluate('window.gridlumeSplashAt')));
    }
    splash.sort((a, b) => a - b);
    console.log(`navigation to splash, ms: ${splash.join(' ')} (median ${splash[rounds >> 1]})`);
    if (still > 0) {
        await sleep(2000);
        const before = treeTicks(session.browser.process().pid);
        await sleep(still * 1000);
        const after = treeTicks(session.browser.process().pid);
        const share = ((after - before) / 100 / still) * 100; // 100 ticks a second
        console.log(`still splash: ${share.toFixed(1)} % of a core`);
    }
    await click(game, 400, 300);
    await click(game, 400, 300);
    await waitForLine(game, 'Loaded texture ./img/square.jpg');
    await sleep(1000);
    const browserPid = session.browser.process().pid;
    const ticks = treeTicks(browserPid);
    const counting = game.page.evaluate(async (span) => {
        let n = 0;
        const count = () => { n++; requestAnimationFrame(count); };
        requestAnimationFrame(count);
        await new Promise((resolve) => setTimeout(resolve, span * 1000));
        return n / span;
    }, seconds);
    if (still > 0) await drag(game, seconds);
    const fps = await counting;
    const perFrame = ((treeTicks(browserPid) - ticks) * 10) / (fps * seconds); // 10 ms a tick
    console.log(`frames per second in play: ${fps.toFixed(1)} over ${seconds} s`);
    console.log(`processor time in play: ${perFrame.toFixed(1)} ms a frame, all of Chromium`);
} finally {
    await session.stop();
}
