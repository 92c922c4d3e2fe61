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

  // Tab and Shift+Tab cycle through the window's controls.
  win.addEventListener("keydown", function (event) {
    if (event.key != "Tab") return;
    var controls = [].filter.call(win.querySelectorAll("input,textarea,button"), function (c) {
      return !c.disabled && c.getClientRects().length;
    });
    var first = controls[0];
    var last = controls[controls.length - 1];
    if (document.activeElement == (event.shiftKey ? first : last)) {
      event.preventDefault();
      (event.shiftKey ? last : first).focus();
    }
  });
})();
