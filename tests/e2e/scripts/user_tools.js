// What a user's script does with the host's tools, one call each. WORK and LIBRARY are set by
// the test; every step prints "ok <what>" or throws.
function check(what, cond) { if (!cond) throw new Error("failed: " + what); print("ok " + what); }

var cm = App.getContentMgr();
cm.openFile(cm.getAbsolutePath("People/Genesis 8 Female/Genesis 8.1 Basic Female.duf"), true);
var fig = Scene.findNodeByLabel("Genesis 8.1 Female");
check("figure", fig != null && fig.getAssetUri().indexOf("Genesis8_1Female") > 0);

// Property values of a node, a bone and a morph.
fig.getXPosControl().setValue(12);
check("node", fig.getXPosControl().getValue() == 12);
var thigh = fig.findBone("l_thigh").findProperty("ZRotate");
thigh.setValue(5);
check("bone", thigh.getValue() == 5);
var heavy = fig.getObject().findModifier("body_ctrl_Heavy").getValueControl();
heavy.setValue(0.5);
check("morph", heavy.getValue() == 0.5 && fig.getWorldBoundingBox().max.y > 100);

// OBJ export with settings, of the selected figure as it stands.
var exporter = App.getExportMgr().findExporterByClassName("DzObjExporter");
var exportOptions = new DzFileIOSettings();
exporter.getDefaultOptions(exportOptions);
exportOptions.setIntValue("RunSilent", 1);
exportOptions.setFloatValue("Scale", 1.0);
exportOptions.setBoolValue("SelectedRootsOnly", true);
Scene.selectAllNodes(false);
Scene.setPrimarySelection(fig);
var err = exporter.writeFile(WORK + "/heavy.obj", exportOptions);
check("export", err == 0);

// OBJ import with settings.
var importer = App.getImportMgr().findImporterByClassName("DzObjImporter");
var importOptions = new DzFileIOSettings();
importOptions.setIntValue("RunSilent", 1);
importOptions.setFloatValue("Scale", 1.0);
err = importer.readFile(WORK + "/heavy.obj", importOptions);
var mesh = Scene.findNodeByLabel("heavy");
check("import", err == 0 && mesh != null);

// Morph Loader Pro through its batch: the exported shape as a new morph, against the figure
// with the dial back at 0.
heavy.setValue(0);
var loader = new DzMorphLoader();
check("load mode", loader.setLoadMode(3, fig));
loader.setFilename(WORK + "/heavy.obj");
loader.setMorphName("HeavyFromScript");
loader.setReverseDeformations(true);
loader.setOverwriteExisting(2);
var batch = new DzMorphLoaderBatch();
batch.addMorph(loader);
var report = batch.createMorphs(importOptions, fig, false, true);
check("morph loader", fig.getObject().findModifier("HeavyFromScript") != null && report.indexOf(": 0 of") < 0);

// The Transfer Utility: the figure's new morph onto the imported mesh.
var transfer = new DzTransferUtility();
transfer.setSource(fig);
transfer.setTarget(mesh);
transfer.setTransferMorphs(true);
transfer.setTransferSourceMorphs(1);
transfer.setMorphTransferList(["HeavyFromScript"]);
check("transfer", transfer.doTransfer());
var result = Scene.findNodeByLabel("heavy");
check("transferred", result.getObject().findModifier("HeavyFromScript") != null);

// Support asset saving of the new morph.
var assets = App.getAssetIOMgr();
var filter = assets.getFilter(assets.findFilter("DzMorphSupportAssetFilter"));
var saveOptions = new DzFileIOSettings();
filter.getDefaultOptions(saveOptions);
saveOptions.setStringValue("RootLabel", fig.getLabel());
saveOptions.setStringValue("BaseDataPath", LIBRARY);
saveOptions.setStringValue("VendorName", "Script Vendor");
saveOptions.setStringValue("ProductName", "Script Product");
saveOptions.setBoolValue("RunSilent", true);
saveOptions.setSettingsValue("NodeNames").setSettingsValue(fig.getName()).setStringValue("0", "HeavyFromScript");
err = assets.doSaveWithOptions(filter, saveOptions, false, "", "", "");
check("save " + assets.getErrorMessage(err), err == 0);
