// SPDX-License-Identifier: MIT
// What a desktop window does that a page does not do of itself. It needs nothing of the
// program, so it works from the moment the window shows.
(function () {
  var win = document.querySelector("main");
  var width = parseFloat(win.dataset.width);

  // On a screen narrower than the window (a phone), the window scales down as a whole, layout
  // included, so all of it shows without scrolling sideways; at 1:1 on wider screens. Zoom,
  // unlike a transform, shrinks the layout too, so nothing is left to scroll to. The width is
  // the layout viewport's: on a phone innerWidth grows to fit the content. A wide screen is
  // told by a media query, which does not lay the page out before it first paints.
  var narrow = matchMedia("(max-width: " + (width - 0.01) + "px)");
  function fit() {
    var scale = narrow.matches ? document.documentElement.clientWidth / width : 1;
    win.style.zoom = scale < 1 ? String(scale) : "";
  }
  fit();
  addEventListener("resize", fit);

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
