// Converts the sample scene as a user would: both figures selected, the convert action. Then,
// for the test to judge, writes the source and the converted Genesis 9 (the new morphs dialled,
// standing and posed like the source) to OBJ files in WORK. Prints what it finds.
var source = Scene.findNodeByLabel("Genesis 8.1 Female");
var target = Scene.findNodeByLabel("Genesis 9");
Scene.selectAllNodes(false);
source.select(true);
target.select(true);
MainWindow.getActionMgr().findAction("KvrConvertFigureAction").trigger();
processEvents();  // the Success dialog, which shows without waiting, is answered

var modifiers = target.getObject();
var created = [];
for (var i = 0; i < modifiers.getNumModifiers(); ++i) {
    var name = modifiers.getModifier(i).getName();
    if (name.indexOf("converted to G9") >= 0)
        created.push(name);
}
print("created: " + created.join(" | "));
print("target label: " + target.getLabel());

for (var i = 0; i < created.length; ++i)
    modifiers.findModifier(created[i]).getValueControl().setValue(1);
var transforms = ["XTranslate", "ZTranslate", "XRotate", "YRotate", "ZRotate"];
for (var i = 0; i < transforms.length; ++i)
    target.findProperty(transforms[i]).setValue(source.findProperty(transforms[i]).getValue());
target.findBone("l_thigh").findProperty("ZRotate").setValue(6.5);
target.findBone("r_thigh").findProperty("ZRotate").setValue(-6.5);

var exporter = App.getExportMgr().findExporterByClassName("DzObjExporter");
function exportNode(node, file) {
    var options = new DzFileIOSettings();
    exporter.getDefaultOptions(options);
    options.setIntValue("RunSilent", 1);
    options.setFloatValue("Scale", 1.0);
    options.setBoolValue("SelectedRootsOnly", true);
    Scene.selectAllNodes(false);
    Scene.setPrimarySelection(node);
    if (exporter.writeFile(WORK + "/" + file, options) != 0)
        throw "cannot export " + file;
}
exportNode(source, "source.obj");
exportNode(target, "converted.obj");
