#pragma once
// Runs the station dialog "Cabrillo" modally on the calling thread.
namespace stats {

struct StationFields;

// Shows the fields, lets the operator edit them and returns true when the
// dialog was closed with OK; the fields then hold what was confirmed.
bool RunCabrilloDialog(StationFields& fields);

}  // namespace stats
