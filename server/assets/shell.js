// Comfort on top of links and forms that work without it: Alt+Left and Alt+Right for Previous
// and Next (in the page frame too), and titles suggested while typing in the search box.
"use strict";
(function () {
  var body = document.body;
  var base = body.getAttribute("data-base") || "";
  var lang = body.getAttribute("data-lang") || "en";

  function step(event) {
    if (!event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    var link = event.key === "ArrowLeft" ? document.getElementById("previous")
      : event.key === "ArrowRight" ? document.getElementById("next") : null;
    if (!link) return;
    event.preventDefault();
    window.location.href = link.href;
  }
  document.addEventListener("keydown", step);
  var frame = document.querySelector("iframe.page");
  if (frame) {
    frame.addEventListener("load", function () {
      try { frame.contentDocument.addEventListener("keydown", step); } catch (e) { /* another origin */ }
    });
  }

  var input = document.getElementById("find");
  var list = document.getElementById("suggestions");
  if (!input || !list || !window.fetch) return;
  var timer = 0;
  var asked = "";

  function hide() { list.hidden = true; input.setAttribute("aria-expanded", "false"); }
  function show(items) {
    list.textContent = "";
    items.forEach(function (item) {
      var entry = document.createElement("li");
      var link = document.createElement("a");
      link.href = item.url;
      link.textContent = item.title;
      var where = document.createElement("span");
      where.className = "where";
      where.textContent = item.position;
      link.appendChild(where);
      entry.appendChild(link);
      list.appendChild(entry);
    });
    list.hidden = items.length === 0;
    input.setAttribute("aria-expanded", items.length ? "true" : "false");
  }
  function ask() {
    var text = input.value.trim();
    if (text === asked) return;
    asked = text;
    if (!text) { hide(); return; }
    fetch(base + "/suggest?q=" + encodeURIComponent(text) + "&lang=" + encodeURIComponent(lang))
      .then(function (answer) { return answer.ok ? answer.json() : []; })
      .then(function (items) { if (text === asked) show(items); })
      .catch(hide);
  }
  function links() { return Array.prototype.slice.call(list.querySelectorAll("a")); }

  input.setAttribute("aria-expanded", "false");
  input.addEventListener("input", function () { clearTimeout(timer); timer = setTimeout(ask, 120); });
  input.addEventListener("keydown", function (event) {
    if (event.key === "ArrowDown" && !list.hidden) {
      event.preventDefault();
      links()[0].focus();
    } else if (event.key === "Escape") {
      hide();
    }
  });
  list.addEventListener("keydown", function (event) {
    var all = links();
    var at = all.indexOf(document.activeElement);
    if (event.key === "ArrowDown" && at + 1 < all.length) { event.preventDefault(); all[at + 1].focus(); }
    else if (event.key === "ArrowUp") { event.preventDefault(); (at > 0 ? all[at - 1] : input).focus(); }
    else if (event.key === "Escape") { hide(); input.focus(); }
  });
  document.addEventListener("click", function (event) {
    if (!list.contains(event.target) && event.target !== input) hide();
  });
})();
