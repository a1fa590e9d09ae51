// File: qarntash/reporting/schema_search.h
//
// Permitted values of a field, read from the XML schema (XSD file) of an electronic return.
//
// The schemas describe many fields as simple types whose restriction lists the permitted values
// as enumerations, each often with a human-readable description in an annotation:
//
//   <xsd:element name="Gender">
//     <xsd:simpleType>
//       <xsd:restriction base="xsd:string">
//         <xsd:enumeration value="M">
//           <xsd:annotation><xsd:documentation>Male</xsd:documentation></xsd:annotation>
//         </xsd:enumeration>
//         <xsd:enumeration value="F"/>
//       </xsd:restriction>
//     </xsd:simpleType>
//   </xsd:element>
//
// An XSDSearch loads one schema file when it is made and may then be asked, any number of times,
// for the permitted values of an element by the element's name: ["M", "F"] above, or with the
// descriptions preferred, ["Male", "F"] (a value without a description stands for itself).
//
// The shape understood is exactly the one above, compared as written:
//   - node names are compared with their prefix, case-sensitively: "xsd:element",
//     "xsd:enumeration", "xsd:annotation", "xsd:documentation". A schema written with another
//     prefix ("xs:") loads but yields only empty lists;
//   - the first "xsd:element" in document order whose attribute name equals the name asked for
//     is the one used, even when it turns out to list nothing; later ones of that name are not
//     looked at;
//   - the values are the "xsd:enumeration" children of the element's first child's first child
//     (its simple type's restriction). White space between tags does not count as a child, but a
//     comment or an annotation does: an element that opens with an annotation lists nothing;
//   - a description is the text of the first "xsd:documentation" in the enumeration's first
//     "xsd:annotation", without leading and trailing white space; when it is empty the value is
//     used instead.
// Entries come back in document order as UTF-8 text.
//
// Failure: a schema that cannot be loaded (no such file, not a regular file, empty, not
// well-formed XML with its namespaces, larger than kMaxSchemaFileBytes) gives isLoaded() false
// and empty lists; nothing is shown or reported. Missing attributes and unexpected shapes are
// skipped silently. Only the named file is read: document type declarations, external entities
// and the network are never followed, and entity references contribute no text.
//
// Copies share the loaded document: a copy stays valid when the original is destroyed, and
// different copies may be searched on different threads at once. One object is not to be used
// by two threads at once (each search records its annotation choice in the object).
//
// Usage:
//   XSDSearch schema("/schemas/RTI-FPS-2014-15.xsd");
//   if (schema.isLoaded()) {
//     std::vector<std::string> codes = schema.GetXSDEnumerationItemList("PayFreq", false);
//     std::vector<std::string> names = schema.GetXSDEnumerationItemList("PayFreq", true);
//   }
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qarntash/export.h"

class QARNTASH_API XSDSearch {
 public:
  // Schema files larger than this (64 MiB) are not loaded; published return schemas are well
  // under a megabyte.
  static constexpr std::uintmax_t kMaxSchemaFileBytes = 64u * 1024u * 1024u;

  // Loads the schema at `path`. A failed load is not reported; it shows in isLoaded().
  // Not explicit: host programs may pass a path where a schema is expected.
  XSDSearch(std::string path);
  ~XSDSearch();
  // The copy refers to the same loaded document, path, loaded flag and annotation choice.
  XSDSearch(const XSDSearch& other);
  XSDSearch& operator=(const XSDSearch& other);

  // True when the schema loaded.
  bool isLoaded() const;

  // The permitted values of the element named `elementName`, in document order; with
  // `useAnnotations`, each value's description where it has one. Empty when the schema did not
  // load, the element is not found, or its type lists no enumerations. The text is in the host's
  // narrow encoding whatever the schema file's: UTF-8, but on Windows the ANSI code page (a
  // character it lacks becomes its default character).
  std::vector<std::string> GetXSDEnumerationItemList(const std::string& elementName, bool useAnnotations);

 private:
  class Document;  // the parsed schema, shared by copies; its parser stays out of this header
  struct XMLNode;  // one node of it

  // Looks through the children of `node` (and below) for the element named `name` and fills
  // `result` from it. True once the element has been found, or when `result` already holds
  // entries.
  bool SearchAtXMLNode(const XMLNode& node, const std::string& name, std::vector<std::string>* result);
  // The description of an enumeration node: its annotation's documentation text, or "".
  std::string FindAnnotationText(const XMLNode& node) const;

  // The loaded flag keeps the convention of the component interfaces the hosts know.
  static constexpr std::int16_t kLoaded = -1;
  static constexpr std::int16_t kNotLoaded = 0;

  std::string m_Path;
  std::int16_t m_Loaded = kNotLoaded;
  std::shared_ptr<const Document> m_Document;
  bool m_UseAnnotations = false;
};
