// XSDSearch: the permitted values of a schema element, found by walking the loaded schema.
#include "qarntash/reporting/schema_search.h"

#include <utility>

#include "schema_search_document.h"

#if defined(_WIN32)
#  include <windows.h>
#endif

namespace {

// The parser gives UTF-8; host programs take narrow text in their own code page, which is UTF-8
// everywhere but Windows.
std::string to_host_text(std::string utf8) {
#if defined(_WIN32)
  if (utf8.empty()) return utf8;
  const int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wide_length);
  const int narrow_length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(narrow_length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, narrow.data(), narrow_length, nullptr, nullptr);
  return narrow;
#else
  return utf8;
#endif
}

}  // namespace

XSDSearch::XSDSearch(std::string path) : m_Path(std::move(path)) {
  m_Document = Document::Load(m_Path);
  m_Loaded = m_Document ? kLoaded : kNotLoaded;
}

XSDSearch::~XSDSearch() = default;
XSDSearch::XSDSearch(const XSDSearch& other) = default;
XSDSearch& XSDSearch::operator=(const XSDSearch& other) = default;

bool XSDSearch::isLoaded() const { return m_Loaded == kLoaded; }

std::vector<std::string> XSDSearch::GetXSDEnumerationItemList(const std::string& elementName,
                                                              bool useAnnotations) {
  std::vector<std::string> result;
  m_UseAnnotations = useAnnotations;
  if (isLoaded() && m_Document) SearchAtXMLNode(XMLNode{m_Document->root()}, elementName, &result);
  return result;
}

bool XSDSearch::SearchAtXMLNode(const XMLNode& node, const std::string& name,
                                std::vector<std::string>* result) {
  if (!result->empty()) return true;
  for (const xmlNode* child = schema_xml::first_child(node.node); child != nullptr;
       child = schema_xml::next_sibling(child)) {
    if (!schema_xml::has_name(child, "xsd:element")) {
      if (SearchAtXMLNode(XMLNode{child}, name, result)) return true;
      continue;
    }
    // An element without a name (a reference to one declared elsewhere) is passed over whole.
    std::string element_name;
    if (!schema_xml::attribute_text(child, "name", &element_name)) continue;
    if (element_name != name) {
      if (SearchAtXMLNode(XMLNode{child}, name, result)) return true;
      continue;
    }

    // Found: the values are the enumerations of the element's simple type's restriction. Whatever
    // the element holds instead, the search ends here.
    const xmlNode* simple_type = schema_xml::first_child(child);
    const xmlNode* restriction = schema_xml::first_child(simple_type);
    for (const xmlNode* facet = schema_xml::first_child(restriction); facet != nullptr;
         facet = schema_xml::next_sibling(facet)) {
      if (!schema_xml::has_name(facet, "xsd:enumeration")) continue;
      std::string value;
      if (!schema_xml::attribute_text(facet, "value", &value)) continue;
      if (m_UseAnnotations) {
        std::string description = FindAnnotationText(XMLNode{facet});
        if (!description.empty()) value = std::move(description);
      }
      result->push_back(to_host_text(std::move(value)));
    }
    return true;
  }
  return false;
}

std::string XSDSearch::FindAnnotationText(const XMLNode& node) const {
  const xmlNode* annotation = schema_xml::first_child_named(node.node, "xsd:annotation");
  const xmlNode* documentation = schema_xml::first_child_named(annotation, "xsd:documentation");
  return documentation != nullptr ? schema_xml::element_text(documentation) : std::string();
}
