#pragma once
// The contest's name as a literal, so that texts can be pasted around it; the
// resource script's captions read it too. The code's name for it is
// kContestName (engine/contest_rules.h).
#define STATS_CONTEST_NAME "KESTREL-RTTY"
