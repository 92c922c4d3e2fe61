// SPDX-License-Identifier: MIT
// Starts the program. Its WebAssembly module travels deflated (less than half its size) and the
// browser's own DecompressionStream unpacks it. The page carries it in itself, in base64 in
// place of the first marker at the end; the site's page, which a server sends, fetches it from
// the file beside it named in place of the second, so that its first paint waits for the
// window's markup alone. That name carries the version: a page kept by the site's service
// worker never meets another version's module.
(function (packed, file) {
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
  function decoded(base64) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
    var text = atob(base64);
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
  }

  // Written and read through the stream's own writer and reader, the module unpacks in
  // promise jobs right after this script, before the page has even finished parsing; read
  // through a Response, it would wait for tasks behind the parser and the first frame.
  function unpacked(deflated) {
    var inflate = new DecompressionStream("deflate");
    var writer = inflate.writable.getWriter();
    writer.write(deflated);
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
      var whole = new Uint8Array(size);
      var at = 0;
      parts.forEach(function (part) {
        whole.set(part, at);
        at += part.length;
      });
      return whole;
    }
    return reader.read().then(take);
  }

  var deflated = packed
    ? Promise.resolve(decoded(packed))
    : fetch(file).then(function (response) {
        if (!response.ok) throw new Error(response.status + " " + response.statusText);
        return response.arrayBuffer().then(function (buffer) { return new Uint8Array(buffer); });
      });
  deflated
    .then(unpacked)
    .then(function (wasm) {
      // Compiled at once, here: the browser compiles each function only when it first runs.
      // Chrome up to about version 115 compiles nothing over 4 KB so on the page's own thread;
      // there it is compiled on another.
      try {
        return new WebAssembly.Module(wasm);
      } catch (error) {
        if (!(error instanceof RangeError)) throw error;
        return WebAssembly.compile(wasm);
      }
    })
    .then(function (module) {
      Vrenkodal({ wasm: module });
    })
    .catch(function (error) {
      alert("Vrenkodal: програмата не можа да се зареди (" + error.message + "). " +
            "Презаредете страницата.");
    });
})("@MODULE@", "@MODULE_FILE@");
