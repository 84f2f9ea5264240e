-- Quorvel database: one file holds every table the program uses.
CREATE TABLE "ide" (
  "Code"   TEXT NOT NULL PRIMARY KEY,
  "FName"  TEXT,
  "LName"  TEXT,
  "Sen"    TEXT,
  "Tahsil" TEXT,
  "Jens"   TEXT,
  "Taahol" TEXT,
  "Group"  TEXT,
  "Date"   TEXT,
  "Time"   TEXT,
  "Nomre"  TEXT
);
CREATE TABLE "Answer" (
  "Code" TEXT NOT NULL PRIMARY KEY,
  "1" TEXT, "2" TEXT, "3" TEXT, "4" TEXT, "5" TEXT,
  "6" TEXT, "7" TEXT, "8" TEXT, "9" TEXT, "10" TEXT,
  "11" TEXT, "12" TEXT, "13" TEXT, "14" TEXT, "15" TEXT,
  "16" TEXT, "17" TEXT, "18" TEXT, "19" TEXT, "20" TEXT
);
CREATE TABLE "QU" (
  "code" INTEGER NOT NULL PRIMARY KEY,
  "Q"    TEXT
);
CREATE TABLE "Theme" (
  "TH"     TEXT,
  "Name"   TEXT,
  "Adress" TEXT
);
-- The lookup window lists and narrows subjects by these (made at open in older files too).
CREATE INDEX IF NOT EXISTS "ide_LName" ON "ide" ("LName");
CREATE INDEX IF NOT EXISTS "ide_FName" ON "ide" ("FName");
CREATE INDEX IF NOT EXISTS "ide_Group" ON "ide" ("Group");
-- A choice of group lists the names of that group in order straight from these.
CREATE INDEX IF NOT EXISTS "ide_Group_LName" ON "ide" ("Group", "LName");
CREATE INDEX IF NOT EXISTS "ide_Group_FName" ON "ide" ("Group", "FName");
