// Loading a schema file safely with libxml2, and reading its nodes the way the search counts them.
//
// A schema is untrusted input: the file is read here (a regular file of bounded size, so that a
// device or a pipe cannot hang the caller and compressed files are not inflated), then parsed from
// memory with no network, no document type loading and no entity substitution. Entity references
// stay as nodes, and the readers below never follow them, so neither an external entity nor a
// nest of entities that expands to gigabytes ever reaches a result.
#include "schema_search_document.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace {

// libxml2 is set up once per process, by whichever search comes first, and never torn down:
// xmlCleanupParser would pull the parser away from any other user in the process.
void prepare_parser_once() {
  static const bool prepared = [] {
    xmlInitParser();
    return true;
  }();
  (void)prepared;
}

// The whole of a regular file of at most kMaxSchemaFileBytes bytes, or nothing.
std::optional<std::string> read_schema_file(const std::string& path) {
  std::error_code error;
  const std::filesystem::path file(path);
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size == 0 || size > XSDSearch::kMaxSchemaFileBytes) return std::nullopt;

  std::ifstream stream(file, std::ios::binary);
  if (!stream) return std::nullopt;
  // A file that grows between the size and the read is refused rather than cut short.
  std::string bytes(static_cast<std::size_t>(size), '\0');
  stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(stream.gcount()));
  if (bytes.empty() || stream.peek() != std::char_traits<char>::eof()) return std::nullopt;
  return bytes;
}

struct ParserContextDeleter {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

void ignore_message(void*, const char*, ...) {}

// While alive, the parser's messages on this thread go nowhere: a schema that does not load shows
// only in isLoaded(). Errors in decoding the file's characters are raised outside any parser
// context, so a handler of the context alone would let them through to standard error. libxml2
// keeps these handlers per thread; the host's own are put back when the parse ends.
class QuietParser {
 public:
  QuietParser()
      : structured_(xmlStructuredError),
        structured_context_(xmlStructuredErrorContext),
        generic_(xmlGenericError),
        generic_context_(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(nullptr, [](void*, auto) {});
    xmlSetGenericErrorFunc(nullptr, ignore_message);
  }
  ~QuietParser() {
    xmlSetStructuredErrorFunc(structured_context_, structured_);
    xmlSetGenericErrorFunc(generic_context_, generic_);
  }
  QuietParser(const QuietParser&) = delete;
  QuietParser& operator=(const QuietParser&) = delete;

 private:
  xmlStructuredErrorFunc structured_;
  void* structured_context_;
  xmlGenericErrorFunc generic_;
  void* generic_context_;
};

// XML_PARSE_NONET: no network. Left out on purpose: XML_PARSE_NOENT (substitute entities),
// XML_PARSE_DTDLOAD / DTDATTR / DTDVALID (read the document type), XML_PARSE_XINCLUDE, and
// XML_PARSE_HUGE (which lifts the parser's limits on depth and entity amplification).
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// Parses `bytes`; null unless they are well-formed XML, namespaces included (an undeclared prefix
// makes a document unloadable, as it does for the component parser the hosts know).
xmlDoc* parse_schema(const std::string& bytes, const std::string& path) {
  const QuietParser quiet;
  std::unique_ptr<xmlParserCtxt, ParserContextDeleter> context(xmlNewParserCtxt());
  if (!context) return nullptr;
  xmlDoc* document = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                       path.c_str(), nullptr, kParseOptions);
  if (document != nullptr && (!context->wellFormed || !context->nsWellFormed ||
                              xmlDocGetRootElement(document) == nullptr)) {
    xmlFreeDoc(document);
    document = nullptr;
  }
  return document;
}

bool is_xml_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// White space between tags, which the search does not count as a child.
bool is_blank_text(const xmlNode* node) {
  if (node->type != XML_TEXT_NODE) return false;
  if (node->content == nullptr) return true;
  for (const xmlChar* c = node->content; *c != '\0'; ++c) {
    if (!is_xml_space(static_cast<char>(*c))) return false;
  }
  return true;
}

const xmlNode* skip_blank_text(const xmlNode* node) {
  while (node != nullptr && is_blank_text(node)) node = node->next;
  return node;
}

const char* text_of(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

// Appends the text and CDATA below `node`; elements are entered, entity references are not.
void append_text(const xmlNode* node, std::string* text) {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content != nullptr) text->append(text_of(child->content));
    } else if (child->type == XML_ELEMENT_NODE) {
      append_text(child, text);
    }
  }
}

}  // namespace

std::shared_ptr<const XSDSearch::Document> XSDSearch::Document::Load(const std::string& path) {
  prepare_parser_once();
  const std::optional<std::string> bytes = read_schema_file(path);
  if (!bytes) return nullptr;
  xmlDoc* document = parse_schema(*bytes, path);
  if (document == nullptr) return nullptr;
  return std::shared_ptr<const Document>(new Document(document));
}

XSDSearch::Document::~Document() { xmlFreeDoc(document_); }

const xmlNode* XSDSearch::Document::root() const { return xmlDocGetRootElement(document_); }

namespace schema_xml {

bool has_name(const xmlNode* node, const char* qualified_name) {
  if (node == nullptr || node->type != XML_ELEMENT_NODE) return false;
  const char* name = qualified_name;
  if (node->ns != nullptr && node->ns->prefix != nullptr) {
    const char* prefix = text_of(node->ns->prefix);
    const std::size_t prefix_length = std::strlen(prefix);
    if (std::strncmp(name, prefix, prefix_length) != 0 || name[prefix_length] != ':') return false;
    name += prefix_length + 1;
  }
  return std::strcmp(name, text_of(node->name)) == 0;
}

const xmlNode* first_child(const xmlNode* node) {
  // Only elements: the children of an entity reference are the entity's own declaration.
  if (node == nullptr || node->type != XML_ELEMENT_NODE) return nullptr;
  return skip_blank_text(node->children);
}

const xmlNode* next_sibling(const xmlNode* node) { return skip_blank_text(node->next); }

const xmlNode* first_child_named(const xmlNode* node, const char* qualified_name) {
  const xmlNode* child = first_child(node);
  while (child != nullptr && !has_name(child, qualified_name)) child = next_sibling(child);
  return child;
}

bool attribute_text(const xmlNode* element, const char* name, std::string* text) {
  for (const xmlAttr* attribute = element->properties; attribute != nullptr; attribute = attribute->next) {
    if (attribute->ns != nullptr || std::strcmp(text_of(attribute->name), name) != 0) continue;
    std::string value;
    for (const xmlNode* part = attribute->children; part != nullptr; part = part->next) {
      if (part->type == XML_TEXT_NODE && part->content != nullptr) value.append(text_of(part->content));
    }
    *text = std::move(value);
    return true;
  }
  return false;
}

std::string element_text(const xmlNode* element) {
  std::string text;
  append_text(element, &text);
  std::size_t first = 0;
  std::size_t end = text.size();
  while (first < end && is_xml_space(text[first])) ++first;
  while (end > first && is_xml_space(text[end - 1])) --end;
  return text.substr(first, end - first);
}

}  // namespace schema_xml
