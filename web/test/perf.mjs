// By hand (docs/performance.md): navigation to the splash's first frame over ROUNDS fresh
// loads, then frames per second over SECONDS of play in the page's headless Chromium
// (SwiftShader). Usage: GRIDLUME_SITE=build-web/site node web/test/perf.mjs [ROUNDS] [SECONDS]
import { click, openGame, sleep, startBrowser, waitForLine } from './browser.mjs';

const rounds = Number(process.argv[2] || 5);
const seconds = Number(process.argv[3] || 10);
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
    await click(game, 400, 300);
    await click(game, 400, 300);
    await waitForLine(game, 'Loaded texture ./img/square.jpg');
    await sleep(1000);
    const fps = await game.page.evaluate(async (span) => {
        let n = 0;
        const count = () => { n++; requestAnimationFrame(count); };
        requestAnimationFrame(count);
        await new Promise((resolve) => setTimeout(resolve, span * 1000));
        return n / span;
    }, seconds);
    console.log(`frames per second in play: ${fps.toFixed(1)} over ${seconds} s`);
} finally {
    await session.stop();
}
