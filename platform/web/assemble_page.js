// SPDX-License-Identifier: MIT
// Puts the program into the page that already shows the window, as one script at the end of
// its body, so the window paints first and nothing waits for the program:
//   node assemble_page.js OUTPUT.html PAGE.html MODULE.wasm RUNTIME.js PAGE.js LOAD.js
//       INFLATER.js [--site MODULE_FILE]
// The script is the window's own behaviour (PAGE.js), the program's runtime, and the loader
// with the inflater that older browsers unpack the module with (INFLATER.js, a CommonJS
// module), minified together; the page carries the module deflated and in base64. A site's page fetches
// the deflated module from MODULE_FILE, written beside it; it also names its manifest and
// starts the service worker that keeps the site offline. Run with NODE_PATH reaching Debian's
// terser.
"use strict";
const fs = require("fs");
const path = require("path");
const { execFileSync } = require("child_process");
const { minify } = require("terser");

async function main() {
  const [output, pagePath, modulePath, ...rest] = process.argv.slice(2);
  const siteAt = rest.indexOf("--site");
  const site = siteAt != -1;
  const moduleFile = site ? rest[siteAt + 1] : "";
  const scripts = site ? rest.slice(0, siteAt) : rest;
  if (!output || !pagePath || !modulePath || scripts.length != 4 || (site && !moduleFile)) {
    console.error("usage: node assemble_page.js OUTPUT.html PAGE.html MODULE.wasm " +
                  "RUNTIME.js PAGE.js LOAD.js INFLATER.js [--site MODULE_FILE]");
    process.exit(2);
  }
  const [runtime, window, load, inflater] = scripts.map((path) => fs.readFileSync(path, "utf8"));
  const module = fs.readFileSync(modulePath);
  // Zopfli finds a deflate stream 5 % smaller than zlib's best, which any inflater reads.
  const deflated = execFileSync("zopfli", ["--zlib", "-c", modulePath], { maxBuffer: 1 << 24 });
  const markers = ["@MODULE@", "@MODULE_FILE@", "@MODULE_SIZE@", "/* @INFLATER@ */"];
  const lacking = markers.filter((marker) => !load.includes(marker));
  if (lacking.length) throw new Error(`${scripts[2]} lacks ${lacking.join(", ")}`);
  let packed = deflated.toString("base64");
  if (site) {
    fs.writeFileSync(path.join(path.dirname(output), moduleFile), deflated);
    packed = "";
  }
  const loader = load
    .replace("@MODULE@", () => packed)
    .replace("@MODULE_FILE@", () => moduleFile)
    .replace("@MODULE_SIZE@", () => String(module.length))
    .replace("/* @INFLATER@ */", () => inflater);

  // Each ends as a statement: the runtime ends in a bare function expression.
  let source = [window, runtime, loader].join(";\n");
  if (site) source = 'if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js");\n' + source;
  // The runtime's own names stay inside its factory; only Vrenkodal is left global.
  const { code } = await minify(source, { compress: { passes: 2 }, mangle: true, format: { comments: false } });
  if (/<\/script/i.test(code)) throw new Error("the script holds </script, which would end it early");

  let page = fs.readFileSync(pagePath, "utf8");
  if (!page.includes("</body>")) throw new Error(`${pagePath} has no </body>`);
  if (site) {
    page = page.replace("</head>", '<link rel="manifest" href="manifest.webmanifest">\n</head>');
  }
  page = page.replace("</body>", () => `<script>${code}</script>\n</body>`);
  fs.writeFileSync(output, page);
}

main().catch((error) => {
  console.error(`assemble_page: ${error.message}`);
  process.exit(1);
});
