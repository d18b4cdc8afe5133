#include "PageModel.h"

#include <cctype>
#include <cwctype>
#include <set>

#include "Text.h"

namespace devengine {
namespace {

bool IsSpace(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == 0xA0;
}

std::wstring LowerW(std::wstring s) {
  for (wchar_t& c : s) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return s;
}

void AppendCodePoint(unsigned long code, std::wstring* out) {
  if (code == 0 || code > 0x10FFFF) return;
  if (code >= 0x10000) {
    code -= 0x10000;
    out->push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out->push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out->push_back(static_cast<wchar_t>(code));
  }
}

std::wstring DecodeEntities(const std::wstring& in) {
  std::wstring out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != L'&') {
      out.push_back(in[i]);
      continue;
    }
    size_t semi = in.find(L';', i);
    if (semi == std::wstring::npos || semi - i > 10) {
      out.push_back(in[i]);
      continue;
    }
    std::wstring name = in.substr(i + 1, semi - i - 1);
    std::wstring decoded;
    if (!name.empty() && name[0] == L'#') {
      bool hex = name.size() > 1 && (name[1] == L'x' || name[1] == L'X');
      std::wstring digits = name.substr(hex ? 2 : 1);
      if (!digits.empty()) {
        wchar_t* end = nullptr;
        unsigned long code = std::wcstoul(digits.c_str(), &end, hex ? 16 : 10);
        if (end && *end == L'\0') AppendCodePoint(code, &decoded);
      }
    } else if (name == L"amp") {
      decoded = L"&";
    } else if (name == L"lt") {
      decoded = L"<";
    } else if (name == L"gt") {
      decoded = L">";
    } else if (name == L"quot") {
      decoded = L"\"";
    } else if (name == L"apos") {
      decoded = L"'";
    } else if (name == L"nbsp") {
      decoded = L" ";
    } else if (name == L"yen") {
      decoded = L"\x00A5";
    } else if (name == L"copy") {
      decoded = L"\x00A9";
    }
    if (decoded.empty()) {
      out.push_back(in[i]);
      continue;
    }
    out += decoded;
    i = semi;
  }
  return out;
}

struct Tag {
  std::wstring name;  // lower case
  bool end = false;
  bool selfClosing = false;
  std::map<std::wstring, std::wstring> attributes;  // lower-case names, decoded values
  std::wstring Attr(const wchar_t* key) const {
    auto it = attributes.find(key);
    return it == attributes.end() ? std::wstring() : it->second;
  }
  bool Has(const wchar_t* key) const { return attributes.count(key) != 0; }
};

// Reads the tag starting at html[pos] == '<'; pos ends after its '>'. False when it is no tag.
bool ReadTag(const std::wstring& html, size_t* pos, Tag* tag) {
  size_t i = *pos + 1;
  if (i < html.size() && html[i] == L'/') {
    tag->end = true;
    ++i;
  }
  size_t nameStart = i;
  while (i < html.size() && (std::iswalnum(html[i]) || html[i] == L'-' || html[i] == L'_' || html[i] == L':'))
    ++i;
  if (i == nameStart) return false;
  tag->name = LowerW(html.substr(nameStart, i - nameStart));
  for (;;) {
    while (i < html.size() && IsSpace(html[i])) ++i;
    if (i >= html.size()) {
      *pos = html.size();
      return true;
    }
    if (html[i] == L'>') {
      *pos = i + 1;
      return true;
    }
    if (html[i] == L'/') {
      tag->selfClosing = true;
      ++i;
      continue;
    }
    size_t keyStart = i;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != L'=' && html[i] != L'>' && html[i] != L'/') ++i;
    std::wstring key = LowerW(html.substr(keyStart, i - keyStart));
    if (key.empty()) {
      ++i;
      continue;
    }
    while (i < html.size() && IsSpace(html[i])) ++i;
    std::wstring value;
    if (i < html.size() && html[i] == L'=') {
      ++i;
      while (i < html.size() && IsSpace(html[i])) ++i;
      if (i < html.size() && (html[i] == L'"' || html[i] == L'\'')) {
        wchar_t quote = html[i++];
        size_t end = html.find(quote, i);
        if (end == std::wstring::npos) end = html.size();
        value = html.substr(i, end - i);
        i = end < html.size() ? end + 1 : end;
      } else {
        size_t valueStart = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != L'>') ++i;
        value = html.substr(valueStart, i - valueStart);
      }
    }
    tag->attributes[key] = DecodeEntities(value);
  }
}

size_t FindCaseless(const std::wstring& html, const std::wstring& lowerNeedle, size_t from) {
  for (size_t i = from; i + lowerNeedle.size() <= html.size(); ++i) {
    size_t k = 0;
    while (k < lowerNeedle.size() && std::towlower(html[i + k]) == lowerNeedle[k]) ++k;
    if (k == lowerNeedle.size()) return i;
  }
  return std::wstring::npos;
}

std::wstring Collapse(const std::wstring& text) {
  std::wstring out;
  bool pendingSpace = false;
  for (wchar_t c : text) {
    if (IsSpace(c)) {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace) out.push_back(L' ');
    pendingSpace = false;
    out.push_back(c);
  }
  return out;
}

const std::set<std::wstring>& BlockTags() {
  static const std::set<std::wstring> tags = {
      L"p",       L"div",        L"br",     L"li",   L"ul",   L"ol",      L"tr",    L"table",
      L"section", L"header",     L"footer", L"form", L"hr",   L"article", L"nav",   L"main",
      L"body",    L"blockquote", L"pre",    L"dl",   L"dt",   L"dd",      L"h1",    L"h2",
      L"h3",      L"h4",         L"h5",     L"h6",   L"head", L"html",    L"aside", L"figure"};
  return tags;
}

const std::set<std::wstring>& VoidTags() {
  static const std::set<std::wstring> tags = {L"input", L"img",  L"br",   L"hr",
                                              L"meta",  L"link", L"area", L"source"};
  return tags;
}

bool IsHeading(const std::wstring& name) {
  return name.size() == 2 && name[0] == L'h' && name[1] >= L'1' && name[1] <= L'6';
}

class PageBuilder {
 public:
  explicit PageBuilder(PageModel* page) : page_(page) {}

  void Text(const std::wstring& raw) {
    if (capture_.active) {
      capture_.label += raw;
    } else {
      paragraph_ += raw;
    }
  }

  void Start(const Tag& tag) {
    if (capture_.active) {
      if (tag.name == capture_.tag) ++capture_.depth;
      if (tag.name == L"br") capture_.label += L" ";
      return;
    }
    if (tag.name == L"meta") {
      Meta(tag);
      return;
    }
    if (BlockTags().count(tag.name)) Flush();
    if (IsHeading(tag.name)) inHeading_ = true;
    if (tag.Has(L"data-call")) {
      std::string function = TrimAscii(WideToUtf8(tag.Attr(L"data-call")));
      std::string args = WideToUtf8(tag.Attr(L"data-args"));
      if (VoidTags().count(tag.name) || tag.selfClosing) {
        std::wstring label = tag.Attr(L"value");
        if (label.empty()) label = tag.Attr(L"alt");
        EmitButton(function, args, label);
      } else {
        capture_ = Capture{true, tag.name, 1, function, args, std::wstring()};
      }
    }
  }

  void End(const Tag& tag) {
    if (capture_.active) {
      if (tag.name == capture_.tag && --capture_.depth == 0) {
        capture_.active = false;
        EmitButton(capture_.function, capture_.arguments, capture_.label);
      }
      return;
    }
    if (BlockTags().count(tag.name)) Flush();
    if (IsHeading(tag.name)) inHeading_ = false;
  }

  void Finish() {
    if (capture_.active) {
      capture_.active = false;
      EmitButton(capture_.function, capture_.arguments, capture_.label);
    }
    Flush();
  }

 private:
  struct Capture {
    bool active = false;
    std::wstring tag;
    int depth = 0;
    std::string function;
    std::string arguments;
    std::wstring label;
  };

  void Meta(const Tag& tag) {
    if (LowerW(tag.Attr(L"name")) != L"orv-return") return;
    std::string content = WideToUtf8(tag.Attr(L"content"));
    size_t eq = content.find('=');
    if (eq == std::string::npos) return;
    std::string name = TrimAscii(content.substr(0, eq));
    if (!name.empty()) page_->returns[name] = TrimAscii(content.substr(eq + 1));
  }

  void Flush() {
    std::wstring text = Collapse(DecodeEntities(paragraph_));
    paragraph_.clear();
    if (text.empty()) return;
    PageBlock block;
    block.kind = inHeading_ ? PageBlock::Heading : PageBlock::Text;
    block.text = text;
    page_->blocks.push_back(block);
  }

  void EmitButton(const std::string& function, const std::string& args, const std::wstring& rawLabel) {
    Flush();
    if (function.empty()) return;
    PageBlock block;
    block.kind = PageBlock::Button;
    block.function = function;
    block.arguments = args;
    block.text = Collapse(DecodeEntities(rawLabel));
    if (block.text.empty()) block.text = Utf8ToWide(function);
    page_->blocks.push_back(block);
  }

  PageModel* page_;
  std::wstring paragraph_;
  bool inHeading_ = false;
  Capture capture_;
};

}  // namespace

PageModel ParsePage(const std::wstring& html) {
  PageModel page;
  PageBuilder builder(&page);
  size_t i = 0;
  while (i < html.size()) {
    if (html[i] != L'<') {
      size_t next = html.find(L'<', i);
      if (next == std::wstring::npos) next = html.size();
      builder.Text(html.substr(i, next - i));
      i = next;
      continue;
    }
    if (html.compare(i, 4, L"<!--") == 0) {
      size_t end = html.find(L"-->", i + 4);
      i = end == std::wstring::npos ? html.size() : end + 3;
      continue;
    }
    if (i + 1 < html.size() && (html[i + 1] == L'!' || html[i + 1] == L'?')) {
      size_t end = html.find(L'>', i);
      i = end == std::wstring::npos ? html.size() : end + 1;
      continue;
    }
    Tag tag;
    size_t pos = i;
    if (!ReadTag(html, &pos, &tag)) {
      builder.Text(L"<");
      ++i;
      continue;
    }
    i = pos;
    if (tag.end) {
      builder.End(tag);
      continue;
    }
    // Raw text elements: their content is no markup.
    if (tag.name == L"script" || tag.name == L"style" || tag.name == L"title" || tag.name == L"textarea") {
      size_t close = tag.selfClosing ? i : FindCaseless(html, L"</" + tag.name, i);
      if (close == std::wstring::npos) close = html.size();
      std::wstring content = html.substr(i, close - i);
      size_t after = html.find(L'>', close);
      i = after == std::wstring::npos ? html.size() : after + 1;
      if (tag.name == L"title") {
        if (page.title.empty()) page.title = Collapse(DecodeEntities(content));
      } else if (tag.name == L"textarea") {
        builder.Start(tag);
        builder.Text(content);
        Tag end;
        end.name = tag.name;
        end.end = true;
        builder.End(end);
      }
      continue;
    }
    builder.Start(tag);
  }
  builder.Finish();
  return page;
}

std::string DeclaredCharset(const std::string& htmlBytes) {
  std::string head = ToLowerAscii(htmlBytes.substr(0, 2048));
  size_t at = 0;
  while ((at = head.find("<meta", at)) != std::string::npos) {
    size_t end = head.find('>', at);
    if (end == std::string::npos) break;
    std::string tag = head.substr(at, end - at);
    size_t cs = tag.find("charset=");
    if (cs != std::string::npos) {
      size_t b = cs + 8;
      while (b < tag.size() && (tag[b] == '"' || tag[b] == '\'' || tag[b] == ' ')) ++b;
      size_t e = b;
      while (e < tag.size() &&
             (std::isalnum(static_cast<unsigned char>(tag[e])) || tag[e] == '-' || tag[e] == '_'))
        ++e;
      return tag.substr(b, e - b);
    }
    at = end;
  }
  return std::string();
}

}  // namespace devengine
