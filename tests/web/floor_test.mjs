// SPDX-License-Identifier: MIT
// Holds the built page to the browsers it supports, the browserslist query in
// platform/web/package.json: its scripts' syntax (es-check), the browser APIs they call
// (eslint-plugin-compat) and its style sheet (doiuse).
//   node floor_test.mjs PAGE.html SITE_DIR RUNTIME.js SOURCE.js...
// RUNTIME.js is Emscripten's runtime as the build wrote it; SOURCE.js the page's own scripts,
// whose comments mark each use beyond the floor that is meant, with its reason.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { ESLint } from "eslint";
import compat from "eslint-plugin-compat";
import doiuse from "doiuse";
import postcss from "postcss";

const here = path.dirname(fileURLToPath(import.meta.url));
const [pagePath, siteDir, runtimePath, ...sources] = process.argv.slice(2);
if (!pagePath || !siteDir || !runtimePath || !sources.length) {
  console.error("usage: node floor_test.mjs PAGE.html SITE_DIR RUNTIME.js SOURCE.js...");
  process.exit(2);
}
const floor = JSON.parse(
  fs.readFileSync(path.join(here, "../../platform/web/package.json"), "utf8")).browserslist;
// Every browser that runs WebAssembly runs ES2017: async functions came with it everywhere.
const ecmaVersion = 2017;

// What the style uses beyond the floor on purpose: its absence leaves the task working.
const meantCss = {
  // The column from the page's width without its scroll bar; older browsers take it from the
  // width with it, and from a touch screen.
  "css-container-queries": "a media query stands beside it",
  "css-container-query-units": "comes with container queries",
  // Firefox before 64 has no pointer media: its phones show the window as on a desktop, which
  // scrolls; the width's own media query makes a narrow one a column all the same.
  "css-media-interaction": "the width's media query stands beside it",
  // Partly supported means two-value overflow and overflow: clip; the page uses neither.
  "css-overflow": "the page's hidden and scroll are everywhere",
  // A text area that cannot be resized anyway (iOS, Edge 16) loses nothing.
  "css-resize": "only takes away the report box's resize grip",
};

// What Emscripten's runtime uses beyond the floor after testing that it is there.
const meantInRuntime = {
  TextDecoder: "decoded by hand without it (Edge 16)",
};

let failures = 0;
function fail(what) {
  console.error(`floor: ${what}`);
  ++failures;
}

function inline(file, tag) {
  const html = fs.readFileSync(file, "utf8");
  const found = [...html.matchAll(new RegExp(`<${tag}>([\\s\\S]*?)</${tag}>`, "g"))];
  if (!found.length) fail(`${file} has no <${tag}>`);
  return found.map((match) => match[1]).join("\n");
}

const pages = [pagePath, path.join(siteDir, "index.html")];

// Syntax: each script as the browser gets it, minified.
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "floor-"));
const scripts = pages.map((page, n) => {
  const file = path.join(scratch, `page-${n}.js`);
  fs.writeFileSync(file, inline(page, "script"));
  return file;
});
scripts.push(path.join(siteDir, "sw.js"));
try {
  execFileSync(path.join(here, "node_modules/.bin/es-check"), [`es${ecmaVersion}`, ...scripts],
               { stdio: "inherit" });
} catch {
  fail(`a script of the page is newer than ES${ecmaVersion}`);
}
fs.rmSync(scratch, { recursive: true });

// APIs: the page's own scripts, with their marks, and the runtime as Emscripten wrote it.
const eslint = new ESLint({
  overrideConfigFile: true,
  overrideConfig: {
    plugins: { compat },
    languageOptions: { ecmaVersion, sourceType: "script" },
    settings: { browsers: floor, polyfills: [] },
    rules: { "compat/compat": "error" },
  },
  cwd: path.parse(here).root,  // so that no file is outside it, and left out unseen
});
const linted = [runtimePath, path.join(siteDir, "sw.js"), ...sources].map((file) => path.resolve(file));
const results = await eslint.lintFiles(linted);
if (results.length != linted.length) fail(`eslint read ${results.length} of ${linted.length} files`);
for (const result of results) {
  for (const message of result.messages) {
    const meant = result.filePath == linted[0] &&
                  Object.keys(meantInRuntime).some((api) => message.message.startsWith(`${api} `));
    if (!meant) fail(`${result.filePath}:${message.line}: ${message.message}`);
  }
}

// Style: every rule the two pages carry.
for (const page of pages) {
  const used = [];
  await postcss([doiuse({ browsers: floor, ignore: Object.keys(meantCss),
                          onFeatureUsage: (usage) => used.push(usage.message) })])
    .process(inline(page, "style"), { from: page });
  for (const message of used) fail(message);
}

console.log(`floor: ${floor.join(", ")}: ${failures ? `${failures} failed` : "passed"}`);
process.exit(failures ? 1 : 0);
