#pragma once
// What the engine shows of a page: its title, its text and its script-call buttons, read from
// the HTML with a small tolerant tokenizer (no script runs).
#include <map>
#include <string>
#include <vector>

namespace devengine {

struct PageBlock {
  enum Kind { Heading, Text, Button };
  Kind kind = Text;
  std::wstring text;      // heading or paragraph text, or the button's label
  std::string function;   // Button: the global function it calls (data-call)
  std::string arguments;  // Button: its argument list (data-args), script literals
};

struct PageModel {
  std::wstring title;
  std::vector<PageBlock> blocks;
  // Declared answers to wkeRunJSW: function name -> script literal, from
  // <meta name="orv-return" content="name=literal">.
  std::map<std::string, std::string> returns;
};

PageModel ParsePage(const std::wstring& html);

// The charset an HTML document declares in its first bytes (<meta charset=...> or
// <meta http-equiv="Content-Type" content="...; charset=...">), lower case, or empty.
std::string DeclaredCharset(const std::string& htmlBytes);

}  // namespace devengine
