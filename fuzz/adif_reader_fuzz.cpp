// The simulator's ADIF reader on arbitrary text: every position it reports
// lies inside the text, records are numbered in file order, and the QSO
// reader keeps no record the tag reader refused.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "adif_qso.h"
#include "adif_reader.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "ADIF reader: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orvosim::AdifFile file = orvosim::ReadAdif(text);
  int lastNumber = 0;
  std::size_t lastOffset = 0;
  for (const orvosim::AdifRecord& record : file.records) {
    if (record.number <= lastNumber) Fail("record numbers out of order");
    if (record.offset >= size || record.offset < lastOffset) Fail("record offset out of order");
    lastNumber = record.number;
    lastOffset = record.offset;
    for (const orvosim::AdifField& field : record.fields) {
      if (field.name.empty() || field.value.size() > size) Fail("field larger than the text");
    }
  }
  for (const orvosim::AdifProblem& problem : file.problems) {
    if (problem.offset > size) Fail("problem past the end");
    if (problem.record < 0 || problem.record > lastNumber + 1 + static_cast<int>(size))
      Fail("problem in no record");
  }
  std::vector<orvosim::AdifProblem> problems;
  const std::vector<orvosim::AdifQso> qsos = orvosim::ReadQsos(text, problems);
  if (qsos.size() > file.records.size()) Fail("more QSOs than records");
  if (problems.size() < file.problems.size()) Fail("QSO reader lost a tag problem");
  return 0;
}
