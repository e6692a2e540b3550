// Converts every Genesis 3, 8 or 8.1 figure of the open scene, one after the other, onto a
// fresh Genesis 9 of its own, and saves each new morph as a support asset of Genesis 9.
//
//   build/bin/studio --headless --scene "Scenes/Several Sources.duf" \
//       --script examples/convert-all-figures.js \
//       --script-arg "/path/to/My Library" --script-arg "My Name" --script-arg "My Product" \
//       --answer "Convert figure*=Convert" --answer "Conversion complete*=Close" --answer "Error*=OK"
//
// Arguments (App.scriptArgs): the content library to save into (required: the script never
// picks one for you), the vendor name (default "Kelvaro") and the product name (default
// "Converted"). Each conversion uses the choices the Convert dialog remembers (at first: head
// and body morphs under "/Kelvaro"); a figure that fails is reported and the next one is
// converted.

var SOURCE_URIS = [
    "/data/daz%203d/genesis%203/female/genesis3female.dsf#genesis3female",
    "/data/daz%203d/genesis%208/female/genesis8female.dsf#genesis8female",
    "/data/daz%203d/genesis%208/female%208_1/genesis8_1female.dsf#genesis8_1female",
    "/data/daz%203d/genesis%203/male/genesis3male.dsf#genesis3male",
    "/data/daz%203d/genesis%208/male/genesis8male.dsf#genesis8male",
    "/data/daz%203d/genesis%208/male%208_1/genesis8_1male.dsf#genesis8_1male"
];
var GENESIS_9 = "People/Genesis 9/Genesis 9.duf";

var USAGE = "usage: studio --headless --scene SCENE --script convert-all-figures.js" +
    " --script-arg LIBRARY [--script-arg VENDOR [--script-arg PRODUCT]]" +
    " --answer \"Convert figure*=Convert\" --answer \"Conversion complete*=Close\" --answer \"Error*=OK\"" +
    "; LIBRARY is the content library the new morphs are saved into";
if (App.scriptArgs.length < 1 || App.scriptArgs[0] == "")
    throw new Error("no library to save into given; " + USAGE);

var content = App.getContentMgr();
var library = App.scriptArgs[0];
var vendor = App.scriptArgs.length > 1 ? App.scriptArgs[1] : "Kelvaro";
var product = App.scriptArgs.length > 2 ? App.scriptArgs[2] : "Converted";

function isSource(node) {
    return SOURCE_URIS.indexOf(node.getAssetUri().toLowerCase()) >= 0;
}

function sourcesInScene() {
    var sources = [];
    for (var i = 0; i < Scene.getNumNodes(); ++i) {
        var node = Scene.getNode(i);
        if (node.isRootNode() && isSource(node))
            sources.push(node);
    }
    return sources;
}

// A fresh Genesis 9 beside the source, labelled after it.
function loadTarget(source) {
    if (!content.openFile(content.getAbsolutePath(GENESIS_9), true))
        throw "cannot load " + GENESIS_9;
    var target = Scene.getPrimarySelection();
    target.setLabel("Genesis 9 for " + source.getLabel());
    target.getXPosControl().setValue(source.getXPosControl().getValue() + 60);
    return target;
}

// The morphs the last conversion made, found by the name the Convert dialog gives them.
function newMorphs(target, sourceLabel) {
    var names = [];
    var object = target.getObject();
    for (var i = 0; i < object.getNumModifiers(); ++i) {
        var name = object.getModifier(i).getName();
        if (name.indexOf(sourceLabel + " converted to G9") == 0)
            names.push(name);
    }
    return names;
}

function saveAsSupportAssets(target, names) {
    var assets = App.getAssetIOMgr();
    var filter = assets.getFilter(assets.findFilter("DzMorphSupportAssetFilter"));
    var options = new DzFileIOSettings();
    filter.getDefaultOptions(options);
    options.setStringValue("RootLabel", target.getLabel());
    options.setStringValue("BaseDataPath", library);
    options.setStringValue("VendorName", vendor);
    options.setStringValue("ProductName", product);
    options.setBoolValue("RunSilent", true);
    options.setBoolValue("CompressOutput", true);
    var nodeNames = options.setSettingsValue("NodeNames").setSettingsValue(target.getName());
    for (var i = 0; i < names.length; ++i)
        nodeNames.setStringValue(String(i), names[i]);
    var result = assets.doSaveWithOptions(filter, options, false, "", "", "");
    if (result != 0)
        throw "saving failed: " + assets.getErrorMessage(result);
}

var convert = MainWindow.getActionMgr().findAction("KvrConvertFigureAction");
var sources = sourcesInScene();
var failed = 0;
print("Converting " + sources.length + " figures; saving to " + library);
for (var i = 0; i < sources.length; ++i) {
    var source = sources[i];
    var sourceLabel = source.getLabel();
    var target = loadTarget(source);
    Scene.selectAllNodes(false);
    source.select(true);
    target.select(true);
    convert.trigger();
    processEvents();  // the Success dialog, shown without waiting, is answered
    var names = newMorphs(target, sourceLabel);
    if (names.length == 0) {
        print("  " + sourceLabel + ": not converted (see the log)");
        ++failed;
        continue;
    }
    saveAsSupportAssets(target, names);
    print("  " + sourceLabel + ": " + names.join(", "));
}
print(failed == 0 ? "Done." : "Done; " + failed + " not converted.");
