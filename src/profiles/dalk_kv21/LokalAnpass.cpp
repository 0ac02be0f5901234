#include "profiles/dalk_kv21/LokalAnpass.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

#include "record/FileText.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr std::string_view ObjectTypesPath = "/root/oegentligaflerbandsverk/objekttyper";
constexpr std::string_view MediaCodesName = "mediekoder";
constexpr std::string_view MediaCodeName = "mediekod";
constexpr std::string_view Copy503Name = "copy503till020";

struct TDocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct TCtxtFree {
  void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};
using TDocPtr = std::unique_ptr<xmlDoc, TDocFree>;
using TCtxtPtr = std::unique_ptr<xmlParserCtxt, TCtxtFree>;

// No network, no external entities or DTDs, no messages on stderr: errors
// reach KeepFirstError only.
constexpr int ParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

std::string_view NameOf(const xmlNode* node) { return reinterpret_cast<const char*>(node->name); }

bool IsElement(const xmlNode* node) { return node->type == XML_ELEMENT_NODE; }

// The parser hands out UTF-8; the program's texts are code page 1252.
std::string ToCp1252(const xmlChar* text) {
  return text ? Utf8ToCp1252(reinterpret_cast<const char*>(text)) : std::string();
}

std::string ElementText(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = Trim(ToCp1252(content));
  xmlFree(content);
  return text;
}

std::string Attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  std::string text = ToCp1252(value);
  xmlFree(value);
  return text;
}

// Depth-first below parent, children in document order: each child is
// compared first by its name, then by its full path ("/" + the names from the
// root element down to it), both ignoring case, and only then searched.
const xmlNode* FindElement(const xmlNode* parent, std::string& path, std::string_view key) {
  for (const xmlNode* child = parent->children; child; child = child->next) {
    if (!IsElement(child)) continue;
    const std::size_t parentLength = path.size();
    path += '/';
    path += NameOf(child);
    if (SameText(NameOf(child), key) || SameText(path, key)) return child;
    if (const xmlNode* found = FindElement(child, path, key)) return found;
    path.resize(parentLength);
  }
  return nullptr;
}

const xmlNode* FindInDocument(const xmlNode* root, std::string_view key) {
  std::string path = "/";
  path += NameOf(root);
  return FindElement(root, path, key);
}

// Every "mediekod" element below parent, in the order of the search above.
void CollectMediaTexts(const xmlNode* parent, std::vector<TMediaText>& texts) {
  for (const xmlNode* child = parent->children; child; child = child->next) {
    if (!IsElement(child)) continue;
    if (SameText(NameOf(child), MediaCodeName))
      texts.push_back({Attribute(child, "in"), Attribute(child, "klartext1"), Attribute(child, "klartext2")});
    CollectMediaTexts(child, texts);
  }
}

// The parser's first error: it names the cause, later ones its consequences.
struct TFirstError {
  std::string Message;
  int Line = 0;
  bool Seen = false;
};

void KeepFirstError(void* userData, xmlErrorPtr error) {
  auto* first = static_cast<TFirstError*>(static_cast<xmlParserCtxt*>(userData)->_private);
  if (first->Seen || !error || error->level < XML_ERR_ERROR) return;
  first->Seen = true;
  first->Message = error->message ? Trim(error->message) : std::string();
  first->Line = error->line;
}

std::string ParseErrorMessage(const TFirstError& error, std::string_view name) {
  std::string message = "Filen ";
  message += name;
  message += " kan inte l\xe4sas";
  if (!error.Message.empty()) {
    message += ": ";
    message += error.Message;
    if (error.Line > 0) message += " (rad " + std::to_string(error.Line) + ")";
  }
  return message;
}

} // namespace

// Fills an adaptation from a parsed document (keeps the parser's types out of the header).
struct TLocalAdaptationLoader {
  // Parses with read(context) and loads the document; a failure raises MarcError naming the file.
  template <class TRead> static void Parse(TLocalAdaptation& adaptation, std::string_view name, TRead read);
  static void Load(TLocalAdaptation& adaptation, const xmlDoc& doc);
};

bool ReadXmlBoolean(std::string_view text) {
  if (text.empty()) return false;
  const char first = UpperChar(text.front());
  return first == 'T' || first == 'Y';
}

void TLocalAdaptation::Clear() { *this = TLocalAdaptation(); }

void TLocalAdaptation::LoadFromFile(const std::string& fileName) {
  Clear();
  const TFileText file = ReadFileText(fileName, MaxFileSize, "filen");
  if (file.Exists) LoadFromMemory(file.Text, fileName);
}

void TLocalAdaptation::LoadFromMemory(std::string_view xml, std::string_view name) {
  Clear();
  TLocalAdaptationLoader::Parse(*this, name, [&](xmlParserCtxt* ctxt) {
    return xmlCtxtReadMemory(ctxt, xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, ParseOptions);
  });
}

template <class TRead>
void TLocalAdaptationLoader::Parse(TLocalAdaptation& a, std::string_view name, TRead read) {
  xmlInitParser();
  TFirstError error;
  TCtxtPtr ctxt(xmlNewParserCtxt());
  if (!ctxt) throw MarcError(ParseErrorMessage(error, name));
  ctxt->_private = &error;
  ctxt->sax->serror = KeepFirstError;
  TDocPtr doc(read(ctxt.get()));
  if (!doc) throw MarcError(ParseErrorMessage(error, name));
  Load(a, *doc);
}

void TLocalAdaptationLoader::Load(TLocalAdaptation& a, const xmlDoc& doc) {
  const xmlNode* root = xmlDocGetRootElement(&doc);
  if (!root) return;

  if (const xmlNode* types = FindInDocument(root, ObjectTypesPath)) {
    for (const xmlNode* child = types->children; child; child = child->next) {
      if (!IsElement(child)) continue;
      std::string code = ElementText(child);
      if (!code.empty()) a.objectTypes_.push_back(std::move(code));
    }
  }

  if (const xmlNode* codes = FindInDocument(root, MediaCodesName)) {
    a.hasMediaCodes_ = true;
    for (const xmlNode* child = codes->children; child; child = child->next)
      if (IsElement(child)) a.mediaCodes_.push_back({Attribute(child, "in"), Attribute(child, "ut")});
    CollectMediaTexts(codes, a.mediaTexts_);
  }

  if (const xmlNode* copy = FindInDocument(root, Copy503Name))
    a.copy503To020_ = ReadXmlBoolean(ElementText(copy));
}

bool TLocalAdaptation::IsImproperObjectType(std::string_view objectType) const {
  for (const auto& code : objectTypes_)
    if (code == objectType) return true;
  return false;
}

const TMediaText* TLocalAdaptation::FindMediaText(std::string_view objectType) const {
  for (const auto& text : mediaTexts_)
    if (SameText(text.In, objectType)) return &text;
  return nullptr;
}

} // namespace kelvo::dalk_kv21
