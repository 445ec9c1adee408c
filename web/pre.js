// Runs inside the game's module before main: the player's records folder is kept in the
// browser's IndexedDB, read in before the game starts and written back after each game.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
    var folder = '/home/web_user/.local/share';
    FS.mkdirTree(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('records');
    FS.syncfs(true, function (error) {
        if (error) console.warn('gridlume: records not read from the browser: ' + error);
        removeRunDependency('records');
    });
});
Module.gridlumeSaveRecords = function () {
    FS.syncfs(false, function (error) {
        if (error) console.warn('gridlume: records not kept in the browser: ' + error);
    });
};
// For the page's tests: the files the game wrote.
Module.gridlumeReadFile = function (path) {
    try {
        return FS.readFile(path, { encoding: 'utf8' });
    } catch (e) {
        return null;
    }
};
