#include "record/MarcXmlReader.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <libxml/parser.h>
#include <libxml/xmlreader.h>
#include <string_view>
#include <unistd.h>

#include "record/MarcError.h"
#include "record/MarcRec.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr std::string_view SlimNamespace = "http://www.loc.gov/MARC21/slim";
// No entity expansion, no DTD, nothing from the network; the parser's
// messages go to the handler below, not to standard error.
constexpr int ParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr std::size_t SniffBytes = 65536;

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

char FirstOr(std::string_view text, char fallback) { return text.empty() ? fallback : text.front(); }

// An element of the MARC21 slim namespace, or of none.
bool IsMarcElement(const xmlNode* node, std::string_view name) {
  if (node->type != XML_ELEMENT_NODE || View(node->name) != name) return false;
  return !node->ns || View(node->ns->href) == SlimNamespace;
}

std::string Attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(name));
  std::string text(View(value));
  xmlFree(value);
  return text;
}

// The element's text; an entity reference is not expanded but kept as written.
std::string Text(const xmlNode* node) {
  std::string text;
  for (const xmlNode* child = node->children; child; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
      text += View(child->content);
    else if (child->type == XML_ENTITY_REF_NODE)
      text += "&" + std::string(View(child->name)) + ";";
  }
  return text;
}

// Fills rec as the ISO 2709 reader does: fields in order, the leader as "000", SortFields.
void BuildRecord(const xmlNode* record, TMarcRec& rec) {
  const xmlNode* leader = nullptr;
  for (const xmlNode* node = record->children; node; node = node->next) {
    if (IsMarcElement(node, "leader")) {
      leader = node;
    } else if (IsMarcElement(node, "controlfield")) {
      rec.AddControlField(Attribute(node, "tag"), Text(node));
    } else if (IsMarcElement(node, "datafield")) {
      for (const xmlNode* sub = node->children; sub; sub = sub->next)
        if (IsMarcElement(sub, "subfield")) rec.AddCouple(FirstOr(Attribute(sub, "code"), ' '), Text(sub));
      // Like a field without subfields in ISO 2709, one here adds nothing.
      if (rec.Couples.Count() > 0)
        rec.AddFieldFromCouples(Attribute(node, "tag"), FirstOr(Attribute(node, "ind1"), ' '),
                                FirstOr(Attribute(node, "ind2"), ' '));
    }
  }
  if (leader) rec.AddControlField("000", Text(leader));
  rec.SortFields();
}

// The node after this one in document order, past its children when skipChildren.
const xmlNode* NextInDocument(const xmlNode* node, bool skipChildren) {
  if (!skipChildren && node->children) return node->children;
  for (; node && node->type != XML_DOCUMENT_NODE; node = node->parent)
    if (node->next) return node->next;
  return nullptr;
}

std::string NodeXml(const xmlNode* node) {
  xmlBufferPtr buffer = xmlBufferCreate();
  xmlNodeDump(buffer, node->doc, const_cast<xmlNode*>(node), 0, 0);
  std::string xml(View(xmlBufferContent(buffer)));
  xmlBufferFree(buffer);
  return xml;
}

} // namespace

struct TMarcXmlReader::Impl {
  std::string fileName;
  int fd = -1;
  xmlTextReaderPtr reader = nullptr;
  long long fileSize = 0;
  long long records = 0;
  bool skipRecord = false;         // the reader stands on a record already read
  xmlDocPtr doc = nullptr;         // taken from the reader once it has given up
  const xmlNode* cursor = nullptr; // then where the records left in the tree are looked for
  bool ended = false;
  bool failed = false;
  std::string firstError;
  int errorLine = 0;
  std::string error;

  ~Impl() {
    if (reader) xmlFreeTextReader(reader);
    if (doc) xmlFreeDoc(doc);
    if (fd >= 0) close(fd);
  }

  // The parser's first error names the cause; later ones are its consequences.
  static void KeepFirstError(void* arg, xmlErrorPtr e) {
    auto* impl = static_cast<Impl*>(arg);
    if (!e || e->level < XML_ERR_ERROR || !impl->firstError.empty()) return;
    impl->firstError = Trim(Utf8ToCp1252(e->message ? e->message : "ok\xe4nt fel"));
    impl->errorLine = e->line;
  }

  bool Fail() {
    failed = true;
    const int line = errorLine > 0 ? errorLine : xmlTextReaderGetParserLineNumber(reader);
    error = "Fel i MARCXML-filen " + fileName + " p\xe5 rad " + std::to_string(line);
    if (!firstError.empty()) error += ": " + firstError;
    return false;
  }

  // A record the parser has read to its end is followed by further nodes. (A
  // record that is the root element cannot be told from one cut short: the
  // parser reports both alike, so such a record is not taken.)
  static bool Closed(const xmlNode* record) {
    for (const xmlNode* node = record; node && node->type != XML_DOCUMENT_NODE; node = node->parent)
      if (node->next) return true;
    return false;
  }

  // The parser reads ahead of the reader: when it meets a fault, the reader
  // gives up, also on the records that the parser had read whole before it.
  // Those are taken from the tree the parser built, starting at start (the
  // record the reader stands on), or after the node the reader stands on.
  bool NextFromTree(TMarcRec& rec, std::string& xml, const xmlNode* start = nullptr) {
    if (!doc) {
      doc = xmlTextReaderCurrentDoc(reader); // the reader leaves it to us now
      const xmlNode* at = xmlTextReaderCurrentNode(reader);
      cursor = start ? start
               : at  ? NextInDocument(at, IsMarcElement(at, "record"))
               : doc ? xmlDocGetRootElement(doc)
                     : nullptr;
    }
    for (; cursor; cursor = NextInDocument(cursor, false)) {
      if (!IsMarcElement(cursor, "record")) continue;
      if (!Closed(cursor)) break;
      const xmlNode* record = cursor;
      cursor = NextInDocument(record, true);
      BuildRecord(record, rec);
      xml = NodeXml(record);
      ++records;
      return true;
    }
    return Fail();
  }
};

TMarcXmlReader::TMarcXmlReader() : impl_(std::make_unique<Impl>()) {}

TMarcXmlReader::~TMarcXmlReader() = default;

void TMarcXmlReader::Open(const std::string& fileName) {
  xmlInitParser();
  impl_ = std::make_unique<Impl>();
  impl_->fileName = fileName;
  std::error_code ec;
  if (!std::filesystem::is_directory(fileName, ec)) impl_->fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (impl_->fd >= 0) impl_->reader = xmlReaderForFd(impl_->fd, nullptr, nullptr, ParseOptions);
  if (!impl_->reader) throw MarcError("Kan inte \xf6ppna indatafilen " + fileName);
  xmlTextReaderSetStructuredErrorHandler(impl_->reader, &Impl::KeepFirstError, impl_.get());
  const auto size = std::filesystem::file_size(fileName, ec);
  impl_->fileSize = ec ? 0 : static_cast<long long>(size);
}

bool TMarcXmlReader::Next(TMarcRec& rec, std::string& xml) {
  rec.Clear();
  rec.Couples.Clear();
  xml.clear();
  Impl& d = *impl_;
  if (!d.reader || d.ended || d.failed) return false;
  if (d.doc) return d.NextFromTree(rec, xml);
  for (;;) {
    const int step = d.skipRecord ? xmlTextReaderNext(d.reader) : xmlTextReaderRead(d.reader);
    d.skipRecord = false;
    if (step < 0) return d.NextFromTree(rec, xml);
    if (step == 0) {
      d.ended = true;
      return d.firstError.empty() ? false : d.Fail(); // a fault the parser could read past
    }
    if (xmlTextReaderNodeType(d.reader) != XML_READER_TYPE_ELEMENT) continue;
    const xmlNode* node = xmlTextReaderCurrentNode(d.reader);
    if (!node || !IsMarcElement(node, "record")) continue;
    // The whole record, and only it; the reader frees it when it moves on.
    const xmlNode* expanded = xmlTextReaderExpand(d.reader);
    if (!expanded) return d.NextFromTree(rec, xml, node);
    BuildRecord(expanded, rec);
    xml = NodeXml(expanded);
    d.skipRecord = true;
    ++d.records;
    return true;
  }
}

bool TMarcXmlReader::Failed() const { return impl_->failed; }

const std::string& TMarcXmlReader::Error() const { return impl_->error; }

long long TMarcXmlReader::Records() const { return impl_->records; }

int TMarcXmlReader::Percent() const {
  if (!impl_->reader || impl_->fileSize <= 0) return 0;
  const long consumed = xmlTextReaderByteConsumed(impl_->reader);
  if (consumed <= 0) return 0;
  return static_cast<int>(std::min<long long>(100, consumed * 100LL / impl_->fileSize));
}

bool LooksLikeMarcXml(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::string head(SniffBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  std::size_t start = head.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0;
  start = head.find_first_not_of(" \t\r\n", start);
  if (start == std::string::npos || head[start] != '<') return false;
  for (const std::string_view mark : {SlimNamespace, std::string_view("<record"), std::string_view(":record"),
                                      std::string_view("<collection"), std::string_view(":collection")})
    if (head.find(mark, start) != std::string::npos) return true;
  return false;
}

} // namespace kelvo
