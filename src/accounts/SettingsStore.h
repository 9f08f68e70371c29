#pragma once

namespace corvane::store {
class CAdoConnection;
}

namespace corvane::accounts {

struct SystemSettings;

// Fills `settings` from the settings row, raising the intervals to their lower bounds.
// A missing or unreadable row leaves every field as it was; false then.
bool LoadSystemSettings(store::CAdoConnection& connection, SystemSettings& settings);

// Writes the settings row (intervals raised to their bounds first). False when the row
// could not be written, so the caller can say so.
bool SaveSystemSettings(store::CAdoConnection& connection, SystemSettings& settings);

}  // namespace corvane::accounts
