// SPDX-License-Identifier: MIT
// Starts the program. Its WebAssembly module travels in the page deflated, then in base64 (less
// than half its size), and the browser's own DecompressionStream unpacks it. The page is
// assembled with the module in place of the marker below.
(function (packed) {
  // The program's main leaves the runtime alive for the presses to come by unwinding the
  // JavaScript stack with "unwind": that is no error.
  addEventListener("unhandledrejection", function (event) {
    if (event.reason == "unwind") event.preventDefault();
  });
  if (typeof DecompressionStream == "undefined" || typeof WebAssembly == "undefined") {
    alert("Vrenkodal: този браузър е твърде стар за програмата. " +
          "Отворете страницата в по-нов браузър.");
    return;
  }
  var text = atob(packed);
  var bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream("deflate")))
    .arrayBuffer()
    .then(function (wasm) { Vrenkodal({ wasm: wasm }); });
})("@MODULE@");
