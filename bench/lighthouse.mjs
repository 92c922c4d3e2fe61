// SPDX-License-Identifier: MIT
// The site as a phone sees it: Lighthouse's mobile profile (a mid-range phone, slow 4G, the CPU
// slowed four times, all simulated) against the site served from localhost, side by side with
// the static floor page served beside it. node lighthouse.mjs SITE_DIR FLOOR.html RUNS
// The two take turns, the first of each pair rotating. Prints Markdown tables of medians and
// ranges.
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { extname, join, normalize } from "node:path";
import * as chromeLauncher from "chrome-launcher";
import lighthouse from "lighthouse";

const [siteDir, floorPath, runsText] = process.argv.slice(2);
const runs = Number(runsText);
if (!siteDir || !floorPath || !(runs > 0)) {
  console.error("usage: node lighthouse.mjs SITE_DIR FLOOR.html RUNS");
  process.exit(2);
}

const types = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".png": "image/png",
  ".webmanifest": "application/manifest+json", ".deflate": "application/octet-stream",
};
// What a school's plain web server does: the files as they are, no compression.
const server = createServer((request, response) => {
  const url = new URL(request.url, "http://localhost");
  const name = url.pathname == "/" ? "index.html" : normalize(url.pathname).slice(1);
  const file = name == "floor.html" ? floorPath : join(siteDir, name);
  try {
    const body = readFileSync(file);
    response.writeHead(200, { "Content-Type": types[extname(file)] || "application/octet-stream" });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const origin = `http://localhost:${server.address().port}`;

const chrome = await chromeLauncher.launch({
  chromePath: process.env.CHROME_PATH || "/usr/bin/chromium",
  chromeFlags: ["--headless=new", "--no-sandbox", "--disable-gpu"],
});
const pages = [{ name: "the site", url: `${origin}/` }, { name: "static floor", url: `${origin}/floor.html` }];
const categories = ["performance", "accessibility", "best-practices", "seo"];
const results = pages.map(() => []);
let version = "";
try {
  for (let run = 0; run < runs; ++run) {
    for (let turn = 0; turn < 2; ++turn) {
      const which = (run + turn) % 2;
      const { lhr } = await lighthouse(pages[which].url, {
        port: chrome.port, output: "json", logLevel: "error", onlyCategories: categories,
      });
      if (lhr.runtimeError) throw new Error(`${pages[which].url}: ${lhr.runtimeError.message}`);
      version = lhr.lighthouseVersion;
      results[which].push({
        fcp: lhr.audits["first-contentful-paint"].numericValue,
        lcp: lhr.audits["largest-contentful-paint"].numericValue,
        cls: lhr.audits["cumulative-layout-shift"].numericValue,
        scores: categories.map((id) => Math.round(lhr.categories[id].score * 100)),
      });
    }
  }
} finally {
  await chrome.kill();
  server.close();
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `${Math.round(Math.min(...values))}–${Math.round(Math.max(...values))}`;
const paint = (which, metric) => results[which].map((result) => result[metric]);
const fcpRatio = median(paint(0, "fcp")) / median(paint(1, "fcp"));
console.log(`| Lighthouse ${version} mobile, ${runs} runs each, in rotating order ` +
            "| the site | static floor | ratio | goal |");
console.log("|---|---|---|---|---|");
console.log(`| first contentful paint, median (ms) | ${Math.round(median(paint(0, "fcp")))} ` +
            `| ${Math.round(median(paint(1, "fcp")))} | ${fcpRatio.toFixed(2)} ` +
            `| at most 1.2 × the floor: ${fcpRatio <= 1.2 ? "met" : "not met"} |`);
console.log(`| first contentful paint, range (ms) | ${range(paint(0, "fcp"))} | ` +
            `${range(paint(1, "fcp"))} | | |`);
console.log(`| largest contentful paint, median (ms) | ${Math.round(median(paint(0, "lcp")))} ` +
            `| ${Math.round(median(paint(1, "lcp")))} | ` +
            `${(median(paint(0, "lcp")) / median(paint(1, "lcp"))).toFixed(2)} | |`);
const largestShift = (which) => Math.max(...paint(which, "cls"));
console.log(`| layout shift, largest | ${largestShift(0)} | ${largestShift(1)} | ` +
            `| 0: ${largestShift(0) == 0 ? "met" : "not met"} |`);
categories.forEach((category, index) => {
  const scores = (which) => results[which].map((result) => result.scores[index]);
  const lowest = Math.min(...scores(0));
  console.log(`| ${category}, lowest score | ${lowest} | ${Math.min(...scores(1))} | ` +
              `| 100: ${lowest == 100 ? "met" : "not met"} |`);
});
