#pragma once
// An XML document as a plain tree of elements named by namespace URI and local name (never by
// prefix), for answers of WebDAV servers. The parse is bounded: a document type declaration
// (and so any entity of one) is refused, and a document of more elements or deeper nesting than
// the limits fails instead of growing without end.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct XmlElement {
    std::string ns;    // the namespace URI ("DAV:")
    std::string name;  // the local name ("href")
    std::string text;  // the character data directly inside, entities resolved
    std::vector<XmlElement> children;

    // The first child of that name, or null.
    [[nodiscard]] const XmlElement* Child(std::string_view ns, std::string_view name) const;
    // Every child of that name, in order.
    [[nodiscard]] std::vector<const XmlElement*> Children(std::string_view ns, std::string_view name) const;
    // The first element of that name at any depth below this one (depth first), or null.
    [[nodiscard]] const XmlElement* Find(std::string_view ns, std::string_view name) const;
};

struct XmlLimits {
    size_t maxElements = 600'000;  // a listing of 100,000 cards holds about 500,000
    size_t maxDepth = 64;
};

// Parses `text` into `root`; false with `error` set (line and reason) when it is not well-formed
// XML or passes a limit.
[[nodiscard]] bool ParseXml(std::string_view text, XmlElement& root, std::string& error,
                            const XmlLimits& limits = {});

// `text` with & < > " escaped for element content and attribute values.
std::string XmlEscape(std::string_view text);

}  // namespace plat
