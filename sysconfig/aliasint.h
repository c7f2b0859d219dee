#pragma once
// The database engine binding: the product's aliases and the Paradox network folder.

// True when the engine can open the database alias "CORVAN" (read-only, shared).
// A computer without the engine answers false and shows nothing.
bool AliasExists();
