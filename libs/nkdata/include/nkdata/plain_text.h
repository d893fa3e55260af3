// The database's texts (references, page and book names) carry a little
// HTML: links, <i>, <b>, <sub>, <sup>, <br>. Printed, they are plain text.
#pragma once

#include <string>
#include <string_view>

namespace aurivel::nkdata {

// Tags removed, a link's target kept in parentheses after its text, <br> a
// line break, &amp; &lt; &gt; &quot; &#39; &nbsp; decoded; each line trimmed and
// blank lines dropped.
std::string PlainText(std::string_view html);

}  // namespace aurivel::nkdata
