// SPDX-License-Identifier: MIT
// Starts the program. Its WebAssembly module travels in the page deflated, then in base64 (less
// than half its size), and the browser's own DecompressionStream unpacks it. The page is
// assembled with the module in place of the marker at the end.
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

  // The browser's own base64 decoder, where it has one, is many times quicker.
  var bytes;
  if (Uint8Array.fromBase64) {
    bytes = Uint8Array.fromBase64(packed);
  } else {
    var text = atob(packed);
    bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  }

  // Written and read through the stream's own writer and reader, the module unpacks in
  // promise jobs right after this script, before the page has even finished parsing; read
  // through a Response, it would wait for tasks behind the parser and the first frame.
  var inflate = new DecompressionStream("deflate");
  var writer = inflate.writable.getWriter();
  writer.write(bytes);
  writer.close();
  var reader = inflate.readable.getReader();
  var parts = [];
  var size = 0;
  function take(chunk) {
    if (!chunk.done) {
      parts.push(chunk.value);
      size += chunk.value.length;
      return reader.read().then(take);
    }
    var wasm = new Uint8Array(size);
    var at = 0;
    parts.forEach(function (part) {
      wasm.set(part, at);
      at += part.length;
    });
    // Compiled at once, here: the browser compiles each function only when it first runs.
    Vrenkodal({ wasm: new WebAssembly.Module(wasm) });
  }
  reader.read().then(take);
})("@MODULE@");
