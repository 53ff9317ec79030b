#pragma once
// The tag level of an ADIF log (.adi): an optional header closed by <EOH>,
// then records of <NAME:LEN[:TYPE]>value fields, each closed by <EOR>.
// Names are case-insensitive and come back in upper case. A record with a
// fault is reported with its position and left out; reading never stops
// before the end of the text unless a length runs past it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvosim {

struct AdifField {
  std::string name;   // upper case
  std::string value;  // the bytes as they stand in the file
};

struct AdifRecord {
  int number = 0;           // 1-based, counting bad records too
  std::size_t offset = 0;   // byte offset of the record's first tag
  std::vector<AdifField> fields;

  // The value of the first field of that (upper-case) name, or null.
  const std::string* Find(std::string_view upperName) const;
};

// Record 0 stands for the header.
struct AdifProblem {
  int record = 0;
  std::size_t offset = 0;  // byte offset of the fault
  std::string message;
};

struct AdifFile {
  std::string headerComment;  // text before the first tag of a file with a header
  std::vector<AdifField> header;
  std::vector<AdifRecord> records;  // good records only
  std::vector<AdifProblem> problems;
};

AdifFile ReadAdif(std::string_view text);

// "record 3 at byte 120: ..." for the console.
std::string DescribeProblem(const AdifProblem& problem);

}  // namespace orvosim
