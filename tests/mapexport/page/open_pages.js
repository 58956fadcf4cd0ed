// Opens level pages in headless Chromium from the file system, as a reader
// double-clicking them would, and photographs each: at the start view, after
// W is held a moment, and after R. Prints lines of three fields apart by
// tabs, the page's name first (its file name less ".html"):
//   <name> error <text>          once for each console error or request
//                                leaving the page
//   <name> first <ms>            from navigation to the first picture
//   <name> start|walked|back <picture>
// and exits 1 when Chromium cannot be started, with the reason.
//
//   NODE_PATH=<page's node_modules> node open_pages.js <outdir> <page.html>...
'use strict';
const path = require('path');
const puppeteer = require('puppeteer-core');

const width = 800;
const height = 600;

async function launch() {
    const executablePath = process.env.CHROMIUM || '/usr/bin/chromium';
    try {
        return await puppeteer.launch({
            executablePath,
            headless: true,
            args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                   '--allow-file-access-from-files', '--hide-scrollbars', '--force-device-scale-factor=1'],
        });
    } catch (error) {
        console.error(`Chromium (${executablePath}) could not be started: ${error.message}`);
        process.exit(1);
    }
}

async function open(browser, page, outdir) {
    const tab = await browser.newPage();
    await tab.setViewport({ width, height, deviceScaleFactor: 1 });
    const errors = [];
    tab.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    tab.on('pageerror', (e) => errors.push(e.message));
    tab.on('requestfailed', (r) => errors.push(`request failed: ${r.url()}`));
    tab.on('request', (r) => { if (!/^(file|data|blob):/.test(r.url())) errors.push(`request: ${r.url()}`); });
    await tab.goto('file://' + path.resolve(page), { waitUntil: 'load' });
    await tab.waitForFunction('window.levelView && (window.levelView.ready || window.levelView.error)',
                              { timeout: 60000 });
    const view = await tab.evaluate(() => window.levelView);
    if (view.error)
        errors.push(view.error);
    // The line of keys is the page's own; mapshot's pictures have none.
    await tab.evaluate(() => { document.getElementById('info').style.display = 'none'; });
    const base = path.join(outdir, path.basename(page, '.html'));
    const shots = { start: base + '-start.png', walked: base + '-walked.png', back: base + '-back.png' };
    const frame = () => tab.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    await frame();
    await tab.screenshot({ path: shots.start });
    await tab.keyboard.down('w');
    await new Promise((r) => setTimeout(r, 400));
    await tab.keyboard.up('w');
    await frame();
    await tab.screenshot({ path: shots.walked });
    await tab.keyboard.press('r');
    await frame();
    await tab.screenshot({ path: shots.back });
    await tab.close();
    const name = path.basename(page, '.html');
    const lines = errors.map((e) => [name, 'error', e.replace(/\s+/g, ' ')]);
    lines.push([name, 'first', view.firstPicture]);
    for (const [which, picture] of Object.entries(shots))
        lines.push([name, which, picture]);
    return lines.map((fields) => fields.join('\t')).join('\n');
}

(async () => {
    const [outdir, ...pages] = process.argv.slice(2);
    const browser = await launch();
    try {
        for (const page of pages)
            console.log(await open(browser, page, outdir));
    } finally {
        await browser.close();
    }
})().catch((error) => {
    console.error(error.stack || String(error));
    process.exit(2);
});
