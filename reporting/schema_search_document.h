// The parsed schema behind XSDSearch, and the few questions the search asks of its nodes.
//
// The document is parsed by libxml2 and never changed after loading, so copies of an XSDSearch
// may read it from several threads at once. Node names, attributes and text are UTF-8.
#pragma once

#include <memory>
#include <string>

#include <libxml/tree.h>

#include "qarntash/reporting/schema_search.h"

// Exported as the rest of XSDSearch is, so the library's export list is the same on every system.
class QARNTASH_API XSDSearch::Document {
 public:
  // Reads and parses the schema file at `path`; null when it cannot be loaded (see the header of
  // XSDSearch for what that covers). Nothing is reported.
  static std::shared_ptr<const Document> Load(const std::string& path);

  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // The document element; never null for a loaded document.
  const xmlNode* root() const;

 private:
  explicit Document(xmlDoc* document) : document_(document) {}
  xmlDoc* document_;
};

struct XSDSearch::XMLNode {
  const xmlNode* node;
};

namespace schema_xml {

// Whether `node` is an element written with exactly this name, prefix included ("xsd:element").
bool has_name(const xmlNode* node, const char* qualified_name);

// The children of an element as the search counts them: white space between tags is not a child;
// elements, other text, comments, processing instructions and CDATA sections are. Both give null
// at the end, and first_child gives null for a null node or one that is not an element.
const xmlNode* first_child(const xmlNode* node);
const xmlNode* next_sibling(const xmlNode* node);
// The first child that has_name(qualified_name), or null.
const xmlNode* first_child_named(const xmlNode* node, const char* qualified_name);

// The text of the element's attribute `name` (one without a namespace prefix) into `text`; false,
// leaving `text` alone, when the element has no such attribute.
bool attribute_text(const xmlNode* element, const char* name, std::string* text);

// The text inside an element and its descendants, without leading and trailing white space.
std::string element_text(const xmlNode* element);

}  // namespace schema_xml
