#pragma once

#include "host/hostclass.h"
#include "host/processrunner.h"

// Files, directories, external programs, 32-bit packing and checksums for scripts. The output
// of the last command run with waiting is kept here, in the class, for getRunStdout and
// getRunStderr.
class QVSysESClass : public ESHostClass
{
public:
    QVSysESClass() : ESHostClass("QVSys") { }

    ESObject *install(ESContext *cx) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;

    // Function objects carry these positions as native indexes: append rows only.
    static const ESHostMethod<QVSysESClass> methods[19];
    // The rows added since, numbered after the runner's exit (19) so that no index moves.
    static constexpr qint32 addedFirstIndex = 20;
    static const ESHostMethod<QVSysESClass> addedMethods[4];

    CapturedLines stdoutLines;
    CapturedLines stderrLines;

protected:
    // The object holds the methods in native-index order: the table's rows, then the rows a
    // subclass adds (the runner's exit), then the rows added since.
    ESObject *installTable(ESContext *cx);
    void installAddedMethods(ESContext *cx, ESObject *holder);

private:
    void renameFile(ESContext *cx, int count, ESValue *arguments);
    void copyFile(ESContext *cx, int count, ESValue *arguments);
    void removeFile(ESContext *cx, int count, ESValue *arguments);
    void fileExists(ESContext *cx, int count, ESValue *arguments);
    void fileSize(ESContext *cx, int count, ESValue *arguments);
    void makeDirectory(ESContext *cx, int count, ESValue *arguments);
    void removeDirectory(ESContext *cx, int count, ESValue *arguments);
    void writeStringToFile(ESContext *cx, int count, ESValue *arguments);
    void readStringFromFile(ESContext *cx, int count, ESValue *arguments);
    void writeByteArrayToFile(ESContext *cx, int count, ESValue *arguments);
    void readByteArrayFromFile(ESContext *cx, int count, ESValue *arguments);
    void crc32(ESContext *cx, int count, ESValue *arguments);
    void run(ESContext *cx, int count, ESValue *arguments);
    void runStdout(ESContext *cx, int count, ESValue *arguments);
    void runStderr(ESContext *cx, int count, ESValue *arguments);
    void packU32(ESContext *cx, int count, ESValue *arguments);
    void unpackU32(ESContext *cx, int count, ESValue *arguments);
    void popup(ESContext *cx, int count, ESValue *arguments);
    void appendStringToFile(ESContext *cx, int count, ESValue *arguments);
    void checksum(ESContext *cx, int count, ESValue *arguments);
    void getEnvironment(ESContext *cx, int count, ESValue *arguments);
    void listDirectory(ESContext *cx, int count, ESValue *arguments);
    void fileTime(ESContext *cx, int count, ESValue *arguments);
};
