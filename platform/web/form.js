// SPDX-License-Identifier: MIT
// The page's side of the web form, linked into the program's runtime: each function reads or
// writes the element with the given id. Strings cross as UTF-8 in the program's memory; a string
// handed back is the program's to free.
mergeInto(LibraryManager.library, {
  vrenkodal_set_hidden: function (id, hidden) {
    document.getElementById(UTF8ToString(id)).hidden = !!hidden;
  },

  vrenkodal_check: function (id) {
    document.getElementById(UTF8ToString(id)).checked = true;
  },

  // A caption is what the user reads: an option's label, a frame's legend, or the element's
  // text.
  vrenkodal_caption_of__deps: ["$allocateUTF8"],
  vrenkodal_caption_of: function (id) {
    var element = document.getElementById(UTF8ToString(id));
    var shown = element.type == "radio" ? element.parentElement
      : element.tagName == "FIELDSET" ? element.querySelector("legend")
      : element;
    return allocateUTF8(shown.textContent);
  },

  vrenkodal_value_of__deps: ["$allocateUTF8"],
  vrenkodal_value_of: function (id) {
    return allocateUTF8(document.getElementById(UTF8ToString(id)).value);
  },

  vrenkodal_set_value: function (id, value) {
    document.getElementById(UTF8ToString(id)).value = UTF8ToString(value);
  },

  // A new text node each time, as textContent makes: a live region says what is added to it,
  // so the same text is said again. Line breaks read as pauses.
  vrenkodal_set_status: function (id, text) {
    document.getElementById(UTF8ToString(id)).textContent = UTF8ToString(text);
  },

  // Said once, and the runtime stops: no later press runs on a window that no longer matches
  // its state.
  vrenkodal_report_and_abort: function (message) {
    var text = UTF8ToString(message);
    // What went wrong inside is the developer's English, for the fault's report.
    alert("Програмата спря поради грешка в нея. Съобщете на учителя си и презаредете " +
          "страницата.\n\n" + text);
    abort(text);
  },

  // A press reaches the program with the index of the pressed control in the description.
  vrenkodal_listen_for_presses: function (id, control) {
    document.getElementById(UTF8ToString(id)).addEventListener("click", function () {
      _vrenkodal_press(control);
    });
  },

  // From here a click is handled. The mark is for the tests and for whoever measures the start;
  // the form's reads and writes, with JavaScript strings, are for the tests' driver, so that a
  // test sees what the program sees. A control is its index in the description, as for a press.
  vrenkodal_ready__deps: ["$allocateUTF8"],
  vrenkodal_ready: function () {
    window["vrenkodalForm"] = {
      "text": function (control) { return UTF8ToString(_vrenkodal_form_text(control)); },
      "caption": function (control) { return UTF8ToString(_vrenkodal_form_caption(control)); },
      "setText": function (control, text) {
        var copy = allocateUTF8(text);
        _vrenkodal_form_set_text(control, copy);
        _free(copy);
      },
      "setVisible": function (control, visible) { _vrenkodal_form_set_visible(control, visible); },
      "select": function (control) { _vrenkodal_form_select(control); },
      "announce": function (control) { _vrenkodal_form_announce(control); },
    };
    performance.mark("vrenkodal-ready");
  },
});
