// SPDX-License-Identifier: MIT
// What a desktop window does that a page does not do of itself. It needs nothing of the
// program, so it works from the moment the window shows.
(function () {
  var win = document.querySelector("main");
  // A click on what takes no focus leaves the focus where it was.
  win.addEventListener("mousedown", function (event) {
    if (!event.target.closest("input:enabled,textarea:enabled,button:enabled")) {
      event.preventDefault();
    }
  });
})();
