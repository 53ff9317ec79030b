#include "adif_reader.h"

#include <cctype>

#include "decimal_digits.h"
#include "platform/trim_blanks.h"

namespace orvosim {
namespace {

using stats::IsBlank;

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// A value end is plausible when only blanks separate it from the next tag or
// from the end of the file.
bool EndsBeforeStructure(std::string_view text, std::size_t end) {
  if (end > text.size()) return false;
  std::size_t p = end;
  while (p < text.size() && IsBlank(text[p])) ++p;
  return p == text.size() || text[p] == '<';
}

// The offset reached after `count` UTF-8 characters from `start`, or npos
// when the text ends first.
std::size_t AdvanceCharacters(std::string_view text, std::size_t start, std::size_t count) {
  std::size_t p = start;
  for (std::size_t n = 0; n < count; ++n) {
    if (p >= text.size()) return std::string_view::npos;
    ++p;
    while (p < text.size() && (static_cast<unsigned char>(text[p]) & 0xC0) == 0x80) ++p;
  }
  return p;
}

// Writers disagree whether LEN counts bytes or characters of a UTF-8 value.
// Bytes win when they land on the record structure; characters are used when
// only they do; npos when the value cannot fit in the text at all.
std::size_t ValueEnd(std::string_view text, std::size_t start, std::size_t length) {
  const std::size_t byteEnd = start + length;
  if (EndsBeforeStructure(text, byteEnd)) return byteEnd;
  const std::size_t charEnd = AdvanceCharacters(text, start, length);
  if (charEnd != std::string_view::npos && EndsBeforeStructure(text, charEnd)) return charEnd;
  if (byteEnd <= text.size()) return byteEnd;
  return charEnd;
}

bool HasHeaderEnd(std::string_view text) {
  return ToUpper(text).find("<EOH>") != std::string::npos;
}

// A tag as quoted in a report: short, with unprintable bytes shown as '?'.
std::string Quoted(std::string_view body) {
  constexpr std::size_t kMaxShown = 24;
  std::string shown = "<";
  for (char c : body.substr(0, kMaxShown)) {
    const auto u = static_cast<unsigned char>(c);
    shown += u >= 0x20 && u < 0x7F ? c : '?';
  }
  return shown + (body.size() > kMaxShown ? "...>" : ">");
}

struct TagHeader {
  std::string name;
  bool hasLength = false;
  std::size_t length = 0;
};

// Parses the inside of <...>: NAME, NAME:LEN or NAME:LEN:TYPE.
bool ParseTag(std::string_view body, TagHeader& tag) {
  const std::size_t colon = body.find(':');
  tag.name = ToUpper(body.substr(0, colon));
  if (tag.name.empty()) return false;
  for (char c : tag.name) {
    if (IsBlank(c) || c == '<') return false;
  }
  if (colon == std::string_view::npos) return true;
  std::string_view rest = body.substr(colon + 1);
  const std::size_t typeColon = rest.find(':');
  const std::string_view digits = rest.substr(0, typeColon);
  if (!ParseDigits(digits, 9, tag.length)) return false;
  tag.hasLength = true;
  return true;
}

class Reader {
 public:
  explicit Reader(std::string_view text) : m_text(text) {}

  AdifFile Run() {
    // Text before the first tag is a header comment only in a file that has
    // a header; otherwise (a blank line, a byte-order mark) it is skipped.
    if (!m_text.empty() && m_text[0] != '<' && HasHeaderEnd(m_text)) {
      m_inHeader = true;
      const std::size_t firstTag = m_text.find('<');
      m_file.headerComment = std::string(m_text.substr(0, firstTag));
      m_pos = firstTag == std::string_view::npos ? m_text.size() : firstTag;
    }
    while (m_pos < m_text.size()) {
      const std::size_t lt = m_text.find('<', m_pos);
      if (lt == std::string_view::npos) break;
      ReadTagAt(lt);
    }
    FinishUnterminated();
    return std::move(m_file);
  }

 private:
  // A tag closes before the next '<'. The '>' is looked for only up to
  // there, so every byte is scanned once however many tags stay open; the
  // next tag starts at or after that '<'.
  void ReadTagAt(std::size_t lt) {
    const std::size_t nextLt = m_text.find('<', lt + 1);
    const std::size_t limit = nextLt == std::string_view::npos ? m_text.size() : nextLt;
    const std::size_t gt = m_text.substr(0, limit).find('>', lt + 1);
    if (gt == std::string_view::npos) {
      Fault(lt, "malformed tag (no closing '>')");
      m_pos = limit;
      return;
    }
    TagHeader tag;
    if (!ParseTag(m_text.substr(lt + 1, gt - lt - 1), tag)) {
      Fault(lt, "malformed tag " + Quoted(m_text.substr(lt + 1, gt - lt - 1)));
      m_pos = gt + 1;
      return;
    }
    m_pos = gt + 1;
    if (!tag.hasLength && tag.name == "EOH") return EndHeader();
    if (!tag.hasLength && tag.name == "EOR") return EndRecord(lt);
    if (!tag.hasLength) {
      Fault(lt, "malformed tag " + Quoted(tag.name) + " (no length)");
      return;
    }
    const std::size_t end = ValueEnd(m_text, m_pos, tag.length);
    if (end == std::string_view::npos || end > m_text.size()) {
      Fault(lt, "length of " + tag.name + " runs past the end of the file");
      m_pos = m_text.size();
      return;
    }
    Current(lt).push_back({tag.name, std::string(m_text.substr(m_pos, end - m_pos))});
    m_pos = end;
  }

  // Fields of the header or of the record being read; starts a record when
  // none is open.
  std::vector<AdifField>& Current(std::size_t tagOffset) {
    if (m_inHeader) return m_file.header;
    OpenRecord(tagOffset);
    return m_record.fields;
  }

  void OpenRecord(std::size_t tagOffset) {
    if (m_recordOpen) return;
    m_recordOpen = true;
    m_recordBad = false;
    m_record = AdifRecord{};
    m_record.number = ++m_recordCount;
    m_record.offset = tagOffset;
  }

  void Fault(std::size_t offset, std::string message) {
    if (m_inHeader) {
      m_file.problems.push_back({0, offset, std::move(message)});
      return;
    }
    OpenRecord(offset);
    if (!m_recordBad) m_file.problems.push_back({m_record.number, offset, std::move(message)});
    m_recordBad = true;
  }

  void EndHeader() {
    if (m_inHeader) {
      m_inHeader = false;
      return;
    }
    // A header tag after records began: whatever was read so far is header.
    m_file.header.insert(m_file.header.end(), m_record.fields.begin(), m_record.fields.end());
    if (m_recordOpen) --m_recordCount;
    m_recordOpen = false;
  }

  void EndRecord(std::size_t tagOffset) {
    OpenRecord(tagOffset);
    if (!m_recordBad) m_file.records.push_back(std::move(m_record));
    m_recordOpen = false;
  }

  void FinishUnterminated() {
    if (m_inHeader) {
      m_file.problems.push_back({0, m_text.size(), "header not closed by <EOH>"});
      return;
    }
    if (m_recordOpen && !m_recordBad) {
      m_file.problems.push_back(
          {m_record.number, m_record.offset, "record not closed by <EOR> (file truncated?)"});
    }
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
  bool m_inHeader = false;
  AdifFile m_file;
  AdifRecord m_record;
  bool m_recordOpen = false;
  bool m_recordBad = false;
  int m_recordCount = 0;
};

}  // namespace

const std::string* AdifRecord::Find(std::string_view upperName) const {
  for (const AdifField& field : fields) {
    if (field.name == upperName) return &field.value;
  }
  return nullptr;
}

AdifFile ReadAdif(std::string_view text) { return Reader(text).Run(); }

std::string DescribeProblem(const AdifProblem& problem) {
  std::string where =
      problem.record == 0 ? std::string("header") : "record " + std::to_string(problem.record);
  return where + " at byte " + std::to_string(problem.offset) + ": " + problem.message;
}

}  // namespace orvosim
