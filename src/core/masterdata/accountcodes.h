#pragma once

#include <QSqlDatabase>
#include <QString>

#include <array>

// The code structure of the chart of accounts: a code is made of up to six fixed-length
// segments, so its length alone tells its level and its parent is the prefix one level shorter.
class CodeLevels
{
public:
    static constexpr int MaxLevel = 6;

    CodeLevels() = default;
    explicit CodeLevels(const std::array<int, MaxLevel> &segmentLengths);
    // The lengths of the open account set (AppContext.LevelLen1 .. LevelLen6).
    static CodeLevels fromContext();

    // Length of the segment of a level, 0 outside 1..6.
    int segmentLength(int level) const;
    // C(k): the length of a code of level k, the sum of the first k segment lengths.
    int codeLength(int level) const;
    // The level whose codes have this length, 0 when no level has it.
    int levelOfLength(int length) const;
    int levelOf(const QString &code) const { return levelOfLength(int(code.size())); }

private:
    std::array<int, MaxLevel> m_lengths = {};
};

// The parent's code: the code without its last segment; empty for a level-1 code and for a code
// whose length is no level's.
QString ParentAccountCode(const QString &code, const CodeLevels &levels);
QString ParentAccountCode(const QString &code);

// The length of a child's code for a code of this length, 0 for level 6 and for a length that
// is no level's.
int ChildCodeLength(int codeLength, const CodeLevels &levels);
int ChildCodeLength(int codeLength);

// The segment proposed for the next account of `level` under `parentCode`: one more than the
// highest existing segment, left-padded with "0" to the segment length ("001" for the first).
// Empty for level 1, where the user types the code.
QString NextSubAccountCode(const QSqlDatabase &db, const QString &parentCode, int level,
                           int segmentLength);
QString NextSubAccountCode(const QString &parentCode, int level, int segmentLength);

// "1002001  银行存款/工商银行": the code, two blanks and the names from level 1 down to the
// account. Empty for an empty code.
QString AccountFullName(const QSqlDatabase &db, const QString &code, const CodeLevels &levels);
QString AccountFullName(const QString &code);
