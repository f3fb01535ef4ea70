#include "platform/xml/XmlTree.h"

#include <QXmlStreamReader>

namespace plat {

const XmlElement* XmlElement::Child(std::string_view childNs, std::string_view childName) const {
    for (const XmlElement& child : children) {
        if (child.ns == childNs && child.name == childName) return &child;
    }
    return nullptr;
}

std::vector<const XmlElement*> XmlElement::Children(std::string_view childNs,
                                                    std::string_view childName) const {
    std::vector<const XmlElement*> found;
    for (const XmlElement& child : children) {
        if (child.ns == childNs && child.name == childName) found.push_back(&child);
    }
    return found;
}

const XmlElement* XmlElement::Find(std::string_view childNs, std::string_view childName) const {
    for (const XmlElement& child : children) {
        if (child.ns == childNs && child.name == childName) return &child;
        if (const XmlElement* below = child.Find(childNs, childName)) return below;
    }
    return nullptr;
}

bool ParseXml(std::string_view text, XmlElement& root, std::string& error, const XmlLimits& limits) {
    root = XmlElement{};
    QXmlStreamReader reader(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())));
    std::vector<XmlElement*> open{&root};
    size_t elements = 0;
    const auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(reader.lineNumber()) + ": " + why;
        return false;
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD: return fail("a document type declaration is not accepted");
            case QXmlStreamReader::StartElement: {
                if (++elements > limits.maxElements)
                    return fail("more than " + std::to_string(limits.maxElements) + " elements");
                if (open.size() > limits.maxDepth)
                    return fail("nested deeper than " + std::to_string(limits.maxDepth));
                XmlElement& child = open.back()->children.emplace_back();
                child.ns = reader.namespaceUri().toString().toStdString();
                child.name = reader.name().toString().toStdString();
                open.push_back(&child);
                break;
            }
            case QXmlStreamReader::EndElement: open.pop_back(); break;
            case QXmlStreamReader::Characters:
                open.back()->text += reader.text().toString().toStdString();
                break;
            default: break;
        }
    }
    if (reader.hasError()) return fail(reader.errorString().toStdString());
    if (root.children.size() != 1) return fail("no root element");
    XmlElement document = std::move(root.children.front());
    root = std::move(document);
    return true;
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace plat
