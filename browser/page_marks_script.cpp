#include "page_marks_script.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// The marks carry an attribute of their own, so that clearing takes away no mark of the page's.
const char* const kMarkScript = R"((function (words) {
  var cjk = /^[\p{Script=Han}\p{Script=Hiragana}\p{Script=Katakana}\p{Script=Bopomofo}]+$/u;
  var escape = function (w) { return w.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'); };
  var whole = [], anywhere = [];
  words.filter(function (w) { return w.length > 0; })
       .sort(function (a, b) { return b.length - a.length; })
       .forEach(function (w) { (cjk.test(w) ? anywhere : whole).push(escape(w)); });
  var parts = [];
  if (whole.length) parts.push('(?<![\\p{L}\\p{N}_])(?:' + whole.join('|') + ')(?![\\p{L}\\p{N}_])');
  if (anywhere.length) parts.push('(?:' + anywhere.join('|') + ')');
  if (!parts.length || !document.body) return 0;
  var pattern = new RegExp(parts.join('|'), 'giu');
  var skip = {SCRIPT: 1, STYLE: 1, NOSCRIPT: 1, TEXTAREA: 1, MARK: 1};
  var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT, {
    acceptNode: function (node) {
      for (var e = node.parentElement; e; e = e.parentElement)
        if (skip[e.tagName]) return NodeFilter.FILTER_REJECT;
      return NodeFilter.FILTER_ACCEPT;
    }
  });
  var nodes = [];
  while (walker.nextNode()) nodes.push(walker.currentNode);
  var count = 0;
  nodes.forEach(function (node) {
    var text = node.nodeValue, at = 0, match, pieces = document.createDocumentFragment(), found = false;
    pattern.lastIndex = 0;
    while ((match = pattern.exec(text)) !== null) {
      if (match[0].length === 0) { pattern.lastIndex++; continue; }
      found = true;
      pieces.appendChild(document.createTextNode(text.slice(at, match.index)));
      var mark = document.createElement('mark');
      mark.setAttribute('data-velora-query', '');
      mark.style.backgroundColor = '#ffe27a';
      mark.style.color = '#000';
      mark.textContent = match[0];
      pieces.appendChild(mark);
      at = match.index + match[0].length;
      ++count;
    }
    if (!found) return;
    pieces.appendChild(document.createTextNode(text.slice(at)));
    node.parentNode.replaceChild(pieces, node);
  });
  return count;
}))";

const char* const kClearScript = R"((function () {
  var marks = document.querySelectorAll('mark[data-velora-query]');
  marks.forEach(function (mark) {
    var parent = mark.parentNode;
    parent.replaceChild(document.createTextNode(mark.textContent), mark);
    parent.normalize();
  });
  return marks.length;
})())";

}  // namespace

QString MarkWordsScript(const QStringList& words)
{
    // The words reach the script as a JSON array: whatever they hold stays text.
    const QString list =
        QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(words)).toJson(QJsonDocument::Compact));
    return QString::fromUtf8(kMarkScript) + QLatin1Char('(') + list + QStringLiteral(");");
}

QString ClearMarksScript() { return QString::fromUtf8(kClearScript); }
