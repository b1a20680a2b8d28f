// The playground page in headless Chromium: typing shows the three states live, the
// place where reading stopped, the value, and another unit reads its own marks.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

let browser;
let page;
before(async () => {
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
  });
  page = await browser.newPage();
  await page.setViewport({ width: 900, height: 860 });
  const errors = [];
  page.on("pageerror", (error) => errors.push(error));
  await page.goto(pathToFileURL(path.join(process.env.PLAYGROUND, "index.html")).href);
  await page.waitForSelector("body[data-ready=true]", { timeout: 30000 });
  assert.deepEqual(errors, []);
});
after(async () => browser && browser.close());

async function typeText(text) {
  await page.$eval("#text", (input) => { input.value = ""; });
  await page.type("#text", text);
  return page.evaluate(() => ({
    state: document.getElementById("state").textContent,
    value: document.getElementById("value").textContent,
    position: document.getElementById("echo").dataset.position,
    message: document.getElementById("message").textContent,
    display: document.getElementById("display").textContent,
    rows: document.querySelectorAll("#everyUnit tbody tr").length,
  }));
}

test("feet and inches: incomplete, complete, invalid at the right place", async () => {
  const partial = await typeText("5' 6 1/");
  assert.equal(partial.state, "incomplete");
  assert.equal(partial.position, "7");
  const whole = await typeText("5' 6 1/2\"");
  assert.equal(whole.state, "complete");
  assert.equal(whole.value, "1689.1");
  assert.equal(whole.display, "5' 6 1/2\"");
  assert.ok(whole.rows >= 7, "every length unit shows the value");
  assert.equal(await page.$$eval("#stacked .fraction", (found) => found.length), 1);
  await page.screenshot({ path: process.env.SCREENSHOT });
  const refused = await typeText("5'6 1/0\"");
  assert.equal(refused.state, "invalid");
  assert.equal(refused.position, "6");
  assert.ok(refused.message.length > 0);
});

test("degrees-minutes-seconds reads its typographic marks", async () => {
  await page.select("#unit", "degrees-minutes-seconds");
  const angle = await typeText("10°30′15″");
  assert.equal(angle.state, "complete");
  assert.equal(Number(angle.value), 10.504166666666667); // the nearest double, shown shortest
  assert.equal(angle.display, "10°30'15\"");
});
