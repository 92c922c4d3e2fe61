// SPDX-License-Identifier: MIT
// Starts the program. Its WebAssembly module travels deflated (less than half its size). The
// browser's own DecompressionStream unpacks it where there is one; an older browser (Safari
// before 16.4, Chrome before 80, Firefox before 113) takes tiny-inflate, put in place of the
// inflater's marker when the page is assembled and run only there. The page carries the module
// in itself, in base64 in place of the first marker at the end; the site's page, which a server
// sends, fetches it from the file beside it named in place of the second, so that its first
// paint waits for the window's markup alone. That name carries the version: a page kept by the
// site's service worker never meets another version's module.
(function (packed, file, size, inflater) {
  var win = document.querySelector("main");

  // Where the program cannot run, the window says why in the box its answers go to, and to a
  // screen reader: no dialog stands in front of it, and the buttons, bound to nothing, do
  // nothing.
  function say(text) {
    document.getElementById(win.getAttribute("data-report")).value = text;
    win.querySelector("[role=status]").textContent = text;
  }

  if (typeof WebAssembly != "object") {
    // Safari's Lockdown Mode and Edge's strict enhanced security take it away; so do a few
    // browsers older than any that runs the page.
    say("Този браузър не може да изпълни програмата: в него е изключен WebAssembly. " +
        "Отворете страницата в друг браузър или изключете за нея засилената защита " +
        "(Lockdown Mode на iPhone и iPad, строгата защита на Edge).");
    return;
  }

  // The program's main leaves the runtime alive for the presses to come by unwinding the
  // JavaScript stack with "unwind": that is no error. Firefox before 69 has no such event and
  // only logs the rejection.
  addEventListener("unhandledrejection", function (event) {
    if (event.reason == "unwind") event.preventDefault();
  });

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
  function streamed(deflated) {
    // eslint-disable-next-line compat/compat -- tested for in unpacked, which falls back
    var inflate = new DecompressionStream("deflate");
    var writer = inflate.writable.getWriter();
    writer.write(deflated);
    writer.close();
    var reader = inflate.readable.getReader();
    var parts = [];
    var length = 0;
    function take(chunk) {
      if (!chunk.done) {
        parts.push(chunk.value);
        length += chunk.value.length;
        return reader.read().then(take);
      }
      var whole = new Uint8Array(length);
      var at = 0;
      parts.forEach(function (part) {
        whole.set(part, at);
        at += part.length;
      });
      return whole;
    }
    return reader.read().then(take);
  }

  function unpacked(deflated) {
    if (typeof DecompressionStream == "function") return streamed(deflated);
    // A zlib stream: a two-byte header, the deflated bytes, a four-byte checksum. A module
    // spoilt on the way fails to compile.
    return inflater()(deflated.subarray(2, deflated.length - 4), new Uint8Array(+size));
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
      // The browser's own words, in English whatever its language, are for whoever looks into
      // it; the pupil reads what to do.
      console.error(error);
      say("Програмата не можа да се зареди. Презаредете страницата; ако това не помогне, " +
          "съобщете на учителя си.");
    });
})("@MODULE@", "@MODULE_FILE@", "@MODULE_SIZE@", function () {
  var module = {};
  /* @INFLATER@ */
  return module.exports;
});
