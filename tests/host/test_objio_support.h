#pragma once

#include <QTemporaryDir>

#include "../../host/src/geometry/dzgeometry.h"
#include "dzapp.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_files.h"
#include "test_geometry_fixtures.h"

// Options of a silent run at scale 1; tests set more on top.
struct SilentOptions : DzFileIOSettings {
    SilentOptions()
    {
        setIntValue("RunSilent", 1);
        setFloatValue("Scale", 1.0);
    }
};

// A host session with a temporary folder for OBJ files and shortcuts to the OBJ tools.
struct ObjIoSession {
    TestApp app;
    QTemporaryDir dir;

    DzExporter* exporter() const
    {
        return dzApp->getExportMgr()->findExporterByClassName("DzObjExporter");
    }
    DzImporter* importer() const
    {
        return dzApp->getImportMgr()->findImporterByClassName("DzObjImporter");
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    DzNode* addNode(const QString& label, const DzFacetMesh& mesh) const
    {
        return testgeo::addSceneNode(label, &mesh);
    }

    // Lines of the file that start with the statement keyword and a blank.
    static QList<QByteArray> statements(const QString& path, const QByteArray& keyword)
    {
        QList<QByteArray> found;
        for (const QByteArray& line : readFile(path).split('\n'))
            if (line.startsWith(keyword + ' '))
                found << line;
        return found;
    }
};
