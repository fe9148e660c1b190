<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Arguments</name>
    <message>
        <source>Show this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>After --: the program to run and its arguments, exactly as given.</source>
        <translation>-- の後: 実行するプログラムとその引数（書かれたとおりに渡します）。</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;</source>
        <translation>&apos;%1&apos; の後に値がありません</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;: a command goes after --</source>
        <translation>予期しない引数 &apos;%1&apos;: コマンドは -- の後に書いてください</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;</source>
        <translation>不明なオプション &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1: %2 (try %1 --help)</source>
        <comment>a usage error</comment>
        <translation>%1: %2（%1 --help を参照してください）</translation>
    </message>
    <message>
        <source>argument %1, &quot;%2&quot;, is not valid text in the locale&apos;s encoding</source>
        <translation>引数 %1「%2」はロケールの文字コードで正しい文字列ではありません</translation>
    </message>
    <message>
        <source>the program after -- is empty</source>
        <translation>-- の後のプログラムが空です</translation>
    </message>
    <message>
        <source>%1: %2 has passed, and without %3 nothing will ever start</source>
        <translation>%1: %2 は過ぎています。%3 がなければ何も起動しません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a count and a unit, such as &quot;10 minutes&quot; or 90s</source>
        <translation>「%1」は「10 minutes」や 90s のような数と単位ではありません</translation>
    </message>
    <message>
        <source>give the command once: %1 or the words after --</source>
        <translation>コマンドは一度だけ指定してください: %1 か -- の後の語のどちらかです</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a count from 0 to %2</source>
        <translation>「%1」は 0 から %2 までの回数ではありません</translation>
    </message>
    <message>
        <source>%1 needs %2, the time to start at</source>
        <translation>%1 には起動時刻の %2 が必要です</translation>
    </message>
    <message>
        <source>%1 needs a command: -- PROGRAM [ARGUMENT...]</source>
        <translation>%1 にはコマンドが必要です: -- PROGRAM [ARGUMENT...]</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no login entry&apos;s id (letters, digits and -)</source>
        <translation>「%1」はログイン項目の ID ではありません（英字、数字、- のみ）</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <source>Reset to the start time</source>
        <translation>開始時刻に戻す</translation>
    </message>
    <message>
        <source>Plus one day</source>
        <translation>1日進める</translation>
    </message>
    <message>
        <source>Plus one hour</source>
        <translation>1時間進める</translation>
    </message>
    <message>
        <source>Plus one minute</source>
        <translation>1分進める</translation>
    </message>
    <message>
        <source>Plus one second</source>
        <translation>1秒進める</translation>
    </message>
    <message>
        <source>Minus one day</source>
        <translation>1日戻す</translation>
    </message>
    <message>
        <source>Minus one hour</source>
        <translation>1時間戻す</translation>
    </message>
    <message>
        <source>Minus one minute</source>
        <translation>1分戻す</translation>
    </message>
    <message>
        <source>Minus one second</source>
        <translation>1秒戻す</translation>
    </message>
    <message>
        <source>Repeat count</source>
        <translation>繰り返しの数</translation>
    </message>
    <message>
        <source>Seconds After, repeat in seconds</source>
        <translation>Seconds After、秒単位で繰り返す</translation>
    </message>
    <message>
        <source>Minutes After, repeat in minutes</source>
        <translation>Minutes After、分単位で繰り返す</translation>
    </message>
    <message>
        <source>Hours After, repeat in hours</source>
        <translation>Hours After、時間単位で繰り返す</translation>
    </message>
    <message>
        <source>Days After, repeat in days</source>
        <translation>Days After、日単位で繰り返す</translation>
    </message>
    <message>
        <source>Command line</source>
        <translation>コマンドライン</translation>
    </message>
    <message>
        <source>Next activation time</source>
        <translation>次の起動時刻</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>現在時刻</translation>
    </message>
</context>
<context>
    <name>Digest</name>
    <message>
        <source>; %1</source>
        <comment>what comes of a failure</comment>
        <translation>。%1</translation>
    </message>
    <message>
        <source>At %1%2.</source>
        <translation>日時: %1%2。</translation>
    </message>
    <message>
        <source>Failed %1 times since %2, the last at %3%4.</source>
        <translation>%2 以降 %1 回失敗しました。最後は %3 です%4。</translation>
    </message>
</context>
<context>
    <name>Drop</name>
    <message>
        <source>&quot;%1&quot; is on another computer (%2): only a file on this computer can be run. Copy it here, then drop the copy.</source>
        <translation>「%1」は別のコンピューター（%2）にあります。実行できるのはこのコンピューター上のファイルだけです。こちらにコピーしてから、そのコピーをドロップしてください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: its name is not valid text in this system&apos;s file-name encoding, so it could not be started by that name. Rename it, then drop it again.</source>
        <translation>「%1」: 名前がこのシステムのファイル名の文字コードで正しい文字列ではないため、その名前では起動できません。名前を変えてから、もう一度ドロップしてください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder: a folder cannot be run; drop a program or a document.</source>
        <translation>「%1」はフォルダーです。フォルダーは実行できません。プログラムか文書をドロップしてください。</translation>
    </message>
</context>
<context>
    <name>Ended</name>
    <message>
        <source>ended, status unknown</source>
        <translation>終了しました（終了状態は不明）</translation>
    </message>
    <message>
        <source>ended by signal %1 (%2)</source>
        <translation>シグナル %1（%2）で終了しました</translation>
    </message>
    <message>
        <source>exited with status %1</source>
        <translation>終了状態 %1 で終了しました</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>its first line ends in a carriage return: save it with Unix line endings</source>
        <translation>1行目が CR で終わっています。Unix の改行で保存してください</translation>
    </message>
    <message>
        <source>its interpreter %1 does not exist</source>
        <translation>インタープリター %1 がありません</translation>
    </message>
    <message>
        <source>the loader it names, %1, does not exist</source>
        <translation>指定されたローダー %1 がありません</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Cannot keep the run history</source>
        <translation>実行履歴を保存できません</translation>
    </message>
    <message>
        <source>%1; the runs go on, and the history is written again as soon as it can be.</source>
        <translation>%1。実行は続きます。書き込めるようになりしだい、履歴をまた書き込みます。</translation>
    </message>
    <message>
        <source>no end seen: ventaro ended first</source>
        <translation>終了を確認できませんでした（先に ventaro が終了しました）</translation>
    </message>
    <message>
        <source>%1 s</source>
        <comment>seconds a run took</comment>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>could not start: %1</source>
        <translation>起動できませんでした: %1</translation>
    </message>
    <message>
        <source>running</source>
        <translation>実行中</translation>
    </message>
    <message>
        <source>; kept the computer awake %1</source>
        <translation>、スリープを %1 防止</translation>
    </message>
    <message>
        <source>%1 after %2</source>
        <comment>exited with status 0 after 3.2 s</comment>
        <translation>%1（実行時間 %2）</translation>
    </message>
    <message>
        <source>stopped after its time limit of %1</source>
        <translation>制限時間 %1 で停止しました</translation>
    </message>
    <message>
        <source>stopped by you after %1</source>
        <translation>%1後に手動で停止しました</translation>
    </message>
    <message>
        <source> (killed after %1)</source>
        <translation>（%1後に強制終了）</translation>
    </message>
    <message>
        <source>; a process it started left its group and still runs</source>
        <translation>、起動したプロセスがグループを離れ、まだ実行中です</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>run now</source>
        <translation>今すぐ実行</translation>
    </message>
    <message>
        <source>retry %1 of %2</source>
        <translation>再試行 %1/%2</translation>
    </message>
    <message>
        <source>caught up</source>
        <translation>取り戻し</translation>
    </message>
    <message>
        <source>%1 ms late</source>
        <translation>%1 ミリ秒遅れ</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>due %1, %2</source>
        <translation>予定 %1、%2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>%1, %2, process %3, %4</source>
        <translation>%1、%2、プロセス %3、%4</translation>
    </message>
    <message>
        <source>Skipped the start at %1</source>
        <translation>%1 の起動をスキップしました</translation>
    </message>
    <message>
        <source>Skipped %1 starts since %2</source>
        <translation>%2 以降 %1 回の起動をスキップしました</translation>
    </message>
    <message>
        <source>%1: %2 still running since %3, process %4</source>
        <translation>%1: %2 が %3 から実行中です（プロセス %4）</translation>
    </message>
    <message>
        <source>Nothing started yet</source>
        <translation>まだ何も起動していません</translation>
    </message>
    <message>
        <source>Last start:</source>
        <translation>最後の起動:</translation>
    </message>
    <message>
        <source>Last starts:</source>
        <translation>最近の起動:</translation>
    </message>
    <message>
        <source>(%1 more: press F1 or click the clock)</source>
        <translation>（ほか %1 件: F1 を押すか時計をクリックしてください）</translation>
    </message>
</context>
<context>
    <name>KeepAwake</name>
    <message>
        <source>there is no login manager (logind) to ask</source>
        <translation>問い合わせるログインマネージャー（logind）がありません</translation>
    </message>
    <message>
        <source>the login manager refused: %1</source>
        <translation>ログインマネージャーが拒否しました: %1</translation>
    </message>
</context>
<context>
    <name>KeptSchedules</name>
    <message>
        <source>one at a time</source>
        <translation>一度に一つずつ</translation>
    </message>
    <message>
        <source>catch up</source>
        <translation>取り戻し</translation>
    </message>
    <message>
        <source>keep awake</source>
        <translation>スリープ防止</translation>
    </message>
    <message>
        <source>stop after %1</source>
        <translation>%1後に停止</translation>
    </message>
    <message>
        <source>retry %1 times, %2 apart</source>
        <translation>%1回再試行、%2間隔</translation>
    </message>
    <message>
        <source>started once</source>
        <translation>起動済み（1回のみ）</translation>
    </message>
    <message>
        <source>not armed</source>
        <translation>未設定</translation>
    </message>
    <message>
        <source>none: its time has passed</source>
        <translation>なし: 時刻が過ぎています</translation>
    </message>
    <message>
        <source>next: %1</source>
        <translation>次回: %1</translation>
    </message>
    <message>
        <source>command: (none)</source>
        <translation>コマンド: （なし）</translation>
    </message>
    <message>
        <source>command: %1</source>
        <translation>コマンド: %1</translation>
    </message>
    <message>
        <source>last run: none kept</source>
        <translation>前回の実行: 記録なし</translation>
    </message>
    <message>
        <source>last run: %1</source>
        <translation>前回の実行: %1</translation>
    </message>
    <message>
        <source>its window runs</source>
        <translation>ウィンドウ実行中</translation>
    </message>
    <message>
        <source>there is no kept schedule %1 (see --list)</source>
        <translation>保存されたスケジュール %1 はありません（--list を参照してください）</translation>
    </message>
    <message>
        <source>%1: choose Exit in that window (or untick Start at Login there) first</source>
        <translation>%1: 先にそのウィンドウで Exit を選んでください（またはそこで「ログイン時に起動」のチェックを外してください）</translation>
    </message>
    <message>
        <source>the entry is removed, but not its history: %1</source>
        <translation>項目は削除しましたが、履歴は削除できませんでした: %1</translation>
    </message>
</context>
<context>
    <name>LocalTime</name>
    <message>
        <source>%1 %2, for %3</source>
        <translation>%1 %2（%3 の代わり）</translation>
    </message>
</context>
<context>
    <name>LoginEntry</name>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>the lock for login entry %1 could not be made: neither the runtime folder nor the cache folder is a private folder of the user&apos;s</source>
        <translation>ログイン項目 %1 のロックを作成できませんでした: ランタイムフォルダーもキャッシュフォルダーも、ユーザー専用のフォルダーではありません</translation>
    </message>
    <message>
        <source>the window of login entry %1 runs already (process %2)</source>
        <translation>ログイン項目 %1 のウィンドウはすでに実行中です（プロセス %2）</translation>
    </message>
    <message>
        <source>the lock for login entry %1 could not be made in %2</source>
        <translation>ログイン項目 %1 のロックを %2 に作成できませんでした</translation>
    </message>
    <message>
        <source>the command holds a control character (U+%1), which a login entry cannot keep</source>
        <translation>コマンドに制御文字（U+%1）が含まれています。ログイン項目には保存できません</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>フォルダー %1 を作成できませんでした</translation>
    </message>
    <message>
        <source>%1 is not a plain file (%2): ventaro writes its entry only as a file of its own</source>
        <translation>%1 は通常のファイルではありません（%2）。ventaro は自分専用のファイルとしてのみ項目を書き込みます</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>シンボリックリンク</translation>
    </message>
    <message>
        <source>a folder or device</source>
        <translation>フォルダーまたはデバイス</translation>
    </message>
    <message>
        <source>%1 could not be removed: %2</source>
        <translation>%1 を削除できませんでした: %2</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>%1 has no Exec line</source>
        <translation>%1 に Exec 行がありません</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>The login entry could not be read in full</source>
        <translation>ログイン項目をすべては読み込めませんでした</translation>
    </message>
    <message>
        <source>%1: cannot remove %2: %3</source>
        <translation>%1: %2 を削除できません: %3</translation>
    </message>
    <message>
        <source>removed %1 and its history</source>
        <translation>%1 とその履歴を削除しました</translation>
    </message>
    <message>
        <source>The login entry runs without its lock</source>
        <translation>ログイン項目がロックなしで実行されています</translation>
    </message>
    <message>
        <source>%1: if the entry is started twice, its command may start twice</source>
        <translation>%1。項目が二重に起動されると、コマンドも二重に起動されることがあります</translation>
    </message>
</context>
<context>
    <name>Missed</name>
    <message>
        <source>the start at %1</source>
        <translation>%1 の起動</translation>
    </message>
    <message>
        <source>%1 starts between %2 and %3</source>
        <translation>%2 から %3 までの %1 回の起動</translation>
    </message>
    <message>
        <source>Missed %1 while ventaro was not running</source>
        <translation>ventaro が動いていなかったため、%1 を逃しました</translation>
    </message>
    <message>
        <source>Missed %1 while the computer slept or the clock jumped</source>
        <translation>コンピューターのスリープ中または時計の変更で、%1 を逃しました</translation>
    </message>
    <message>
        <source>%1.</source>
        <comment>a sentence&apos;s end</comment>
        <translation>%1。</translation>
    </message>
    <message>
        <source>%1; ran once at %2 to catch up.</source>
        <translation>%1。取り戻しのため %2 に1回実行しました。</translation>
    </message>
    <message>
        <source>Scheduled starts were missed</source>
        <translation>予定の起動を逃しました</translation>
    </message>
</context>
<context>
    <name>NoDisplay</name>
    <message>
        <source>start it from a desktop session, set DISPLAY (or WAYLAND_DISPLAY), or run it under a virtual X server: xvfb-run ventaro</source>
        <translation>デスクトップセッションから起動するか、DISPLAY（または WAYLAND_DISPLAY）を設定するか、仮想 X サーバーの下で実行してください: xvfb-run ventaro</translation>
    </message>
    <message>
        <source>ventaro: no display found: the Wayland plugin is missing (install qt6-wayland); %1</source>
        <translation>ventaro: ディスプレイが見つかりません: Wayland プラグインがありません（qt6-wayland をインストールしてください）。%1</translation>
    </message>
    <message>
        <source>ventaro: no display found; %1</source>
        <translation>ventaro: ディスプレイが見つかりません。%1</translation>
    </message>
    <message>
        <source>ventaro: no display found (%1); %2</source>
        <translation>ventaro: ディスプレイが見つかりません（%1）。%2</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>Show ventaro</source>
        <translation>ventaro を表示</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>Runs one command line at a chosen local date and time and, if asked,
again every N seconds, minutes, hours or days. With no arguments, the
window opens empty; each option fills its field. See ventaro(1).

  TIME   as the step buttons read it: 2026/12/08 03:00:00, 2026-12-08 3:00,
         a date alone (midnight), a time alone (today, or tomorrow once passed)
  EVERY  a count and a unit: &quot;10 minutes&quot;, 90s, 1.5h, &quot;1 day&quot;; units:
         %1

Examples:
  ventaro --at 07:30 --set -- /usr/bin/xdg-open /home/me/alarm.ogg
  ventaro --at 03:00 --every 1 day --set -- /home/me/bin/backup.sh --full
  ventaro --every 10 minutes --set --at 12:00 -- /usr/bin/relaunch-tool

The overnight backup: on time, once at a time, made up after a night asleep,
the computer kept awake while it runs, stopped if it hangs, retried if it fails:
  ventaro --at 03:00 --every 1 day --one-at-a-time --catch-up --keep-awake \
          --stop-after 2h --retry 3 --retry-after 10min --set -- /home/me/bin/backup.sh</source>
        <translation>指定した日時に1つのコマンドラインを実行し、指定があれば N 秒、分、時間、
日ごとに繰り返し実行します。引数がなければ空のウィンドウを開きます。
各オプションは対応する欄を埋めます。ventaro(1) を参照してください。

  TIME   ステップボタンと同じ読み方: 2026/12/08 03:00:00、2026-12-08 3:00、
         日付のみ（午前0時）、時刻のみ（今日。過ぎていれば明日）
  EVERY  数と単位: &quot;10 minutes&quot;、90s、1.5h、&quot;1 day&quot;。単位:
         %1

例:
  ventaro --at 07:30 --set -- /usr/bin/xdg-open /home/me/alarm.ogg
  ventaro --at 03:00 --every 1 day --set -- /home/me/bin/backup.sh --full
  ventaro --every 10 minutes --set --at 12:00 -- /usr/bin/relaunch-tool

夜間のバックアップ: 時刻どおりに、一度に一つずつ、スリープ明けには取り戻し、
実行中はスリープさせず、止まったら停止し、失敗したら再試行する:
  ventaro --at 03:00 --every 1 day --one-at-a-time --catch-up --keep-awake \
          --stop-after 2h --retry 3 --retry-after 10min --set -- /home/me/bin/backup.sh</translation>
    </message>
    <message>
        <source>The activation time.</source>
        <translation>起動時刻。</translation>
    </message>
    <message>
        <source>Repeat every COUNT UNIT.</source>
        <translation>COUNT UNIT ごとに繰り返します。</translation>
    </message>
    <message>
        <source>Arm at start, as Set does.</source>
        <translation>起動時に Set と同じく待機を始めます。</translation>
    </message>
    <message>
        <source>Skip a start while the previous run still goes, as One at a Time does.</source>
        <translation>前の実行が続いている間は起動をスキップします（「一度に一つだけ実行」と同じ）。</translation>
    </message>
    <message>
        <source>Run once for starts missed, as Catch Up Missed Start does.</source>
        <translation>逃した起動の分を1回実行します（「逃した起動を後で実行」と同じ）。</translation>
    </message>
    <message>
        <source>Keep the computer from sleeping while a run goes, as Keep Awake While Running does.</source>
        <translation>実行中はコンピューターをスリープさせません（「実行中はスリープさせない」と同じ）。</translation>
    </message>
    <message>
        <source>Stop a run still going after SPAN (2h, &quot;30 min&quot;), told as a failure.</source>
        <translation>SPAN（2h、&quot;30 min&quot;）を過ぎても続く実行を停止し、失敗として知らせます。</translation>
    </message>
    <message>
        <source>Start a failed run again, at most COUNT times in a row.</source>
        <translation>失敗した実行を、続けて最大 COUNT 回まで再実行します。</translation>
    </message>
    <message>
        <source>The wait before each retry (10min unless given).</source>
        <translation>各再試行までの待ち時間（指定がなければ 10min）。</translation>
    </message>
    <message>
        <source>The command as one text, read as the command box reads it (instead of -- PROGRAM ARGUMENT...).</source>
        <translation>コマンドを1つの文字列で指定します。コマンド欄と同じように読みます（-- PROGRAM ARGUMENT... の代わり）。</translation>
    </message>
    <message>
        <source>Print every kept schedule (Start at Login), one a line.</source>
        <translation>保存されたスケジュール（ログイン時に起動）をすべて、1行に1つずつ表示します。</translation>
    </message>
    <message>
        <source>With --list: print them as JSON, for scripts.</source>
        <translation>--list と共に: スクリプト用に JSON で表示します。</translation>
    </message>
    <message>
        <source>Remove the kept schedule ID (as --list names it) and its history.</source>
        <translation>保存されたスケジュール ID（--list の表示名）とその履歴を削除します。</translation>
    </message>
</context>
<context>
    <name>Outlook</name>
    <message>
        <source>, one at a time</source>
        <translation>、一度に一つずつ</translation>
    </message>
    <message>
        <source>, catching up a missed start</source>
        <translation>、逃した起動は後で実行</translation>
    </message>
    <message>
        <source>, keeping the computer awake while it runs</source>
        <translation>、実行中はスリープさせない</translation>
    </message>
    <message>
        <source>, stopped after %1</source>
        <translation>、%1後に停止</translation>
    </message>
    <message>
        <source>, retried once after %1 if it fails</source>
        <translation>、失敗したら%1後に1回再試行</translation>
    </message>
    <message>
        <source>, retried up to %1 times after %2 if it fails</source>
        <translation>、失敗したら%2後に最大%1回再試行</translation>
    </message>
    <message>
        <source>now</source>
        <translation>今すぐ</translation>
    </message>
    <message>
        <source>in %1</source>
        <comment>in 4 min 12 s</comment>
        <translation>%1後</translation>
    </message>
    <message>
        <source>%1 s</source>
        <comment>seconds of a duration</comment>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <comment>minutes of a duration</comment>
        <translation>%1分</translation>
    </message>
    <message>
        <source>%1 h</source>
        <comment>hours of a duration</comment>
        <translation>%1時間</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a duration&apos;s two largest units: 4 min 12 s</comment>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>every second</source>
        <translation>毎秒</translation>
    </message>
    <message>
        <source>every %1 seconds</source>
        <translation>%1秒ごと</translation>
    </message>
    <message>
        <source>every minute</source>
        <translation>毎分</translation>
    </message>
    <message>
        <source>every %1 minutes</source>
        <translation>%1分ごと</translation>
    </message>
    <message>
        <source>every hour</source>
        <translation>毎時</translation>
    </message>
    <message>
        <source>every %1 hours</source>
        <translation>%1時間ごと</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>毎日</translation>
    </message>
    <message>
        <source>every %1 days</source>
        <translation>%1日ごと</translation>
    </message>
    <message>
        <source> (the clock leaps from %1 to %2, so it starts at %2)</source>
        <translation>（時計が %1 から %2 へ飛ぶため、%2 に起動します）</translation>
    </message>
    <message>
        <source> (the clock shows %1 twice as it goes back: this is the first)</source>
        <translation>（時計が戻るため %1 は2回あります: これは1回目です）</translation>
    </message>
    <message>
        <source> (the clock shows %1 twice as it goes back: this is the second)</source>
        <translation>（時計が戻るため %1 は2回あります: これは2回目です）</translation>
    </message>
    <message>
        <source>ventaro, not armed</source>
        <translation>ventaro、未設定</translation>
    </message>
    <message>
        <source>, then %1</source>
        <comment>then every 10 minutes</comment>
        <translation>、以後%1</translation>
    </message>
    <message>
        <source>ventaro, armed: starts at %1%2</source>
        <translation>ventaro、待機中: %1 に起動%2</translation>
    </message>
    <message>
        <source>ventaro, armed: starts once at %1%2</source>
        <translation>ventaro、待機中: %1 に1回だけ起動%2</translation>
    </message>
    <message>
        <source>ventaro, armed: started once at %1</source>
        <translation>ventaro、待機中: %1 に起動済み</translation>
    </message>
    <message>
        <source>ventaro, armed: starts were missed; next at %1%2</source>
        <translation>ventaro、待機中: 起動を逃しました。次回は %1%2</translation>
    </message>
    <message>
        <source>ventaro, armed: nothing will start</source>
        <translation>ventaro、待機中: 何も起動しません</translation>
    </message>
    <message>
        <source>Release, set a later time, and Set again.</source>
        <translation>Release して後の時刻を設定し、もう一度 Set してください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date and time the clock will ever show. Type one as %2, for example %3.</source>
        <translation>「%1」は時計が示すことのある日時ではありません。%2 の形で入力してください（例: %3）。</translation>
    </message>
    <message>
        <source>%1 will never be reached: the clock writes that time as %2. Type %2 instead.</source>
        <translation>%1 になることはありません。時計はその時刻を %2 と書きます。%2 と入力してください。</translation>
    </message>
    <message>
        <source>%1 Nothing more will start: %2</source>
        <translation>%1 これ以上は起動しません: %2</translation>
    </message>
    <message>
        <source>%1 Starts in %2, then %3%4</source>
        <translation>%1 %2後に起動し、以後%3%4</translation>
    </message>
    <message>
        <source>%1, so the schedule cannot move on. Choose a smaller repeat count.</source>
        <translation>%1。そのため、スケジュールを先へ進められません。繰り返しの数を小さくしてください。</translation>
    </message>
    <message>
        <source>Started once at %1; nothing more will start: %2</source>
        <translation>%1 に1回起動しました。これ以上は起動しません: %2</translation>
    </message>
    <message>
        <source>Starts once %1, then never again: %2</source>
        <translation>%1に1回だけ起動し、その後は起動しません: %2</translation>
    </message>
    <message>
        <source>Nothing will start: %1</source>
        <translation>何も起動しません: %1</translation>
    </message>
    <message>
        <source>Started once at %1.</source>
        <translation>%1 に1回起動しました。</translation>
    </message>
    <message>
        <source>Started once at %1</source>
        <comment>the start&apos;s own line</comment>
        <translation>%1 に1回起動しました</translation>
    </message>
    <message>
        <source>a repeat count of %1 moves nothing on</source>
        <translation>繰り返しの数 %1 では先へ進みません</translation>
    </message>
    <message>
        <source>no repeat will bring it back</source>
        <translation>繰り返しがないので再び来ることはありません</translation>
    </message>
    <message>
        <source>%1 has passed and %2: nothing will start. %3</source>
        <translation>%1 は過ぎていて、%2。何も起動しません。%3</translation>
    </message>
    <message>
        <source>%1 has passed: Set moves it on to its next slot.</source>
        <translation>%1 は過ぎています。Set すると次の時刻へ進みます。</translation>
    </message>
    <message>
        <source>%1 has passed: set a later time before you choose Set.</source>
        <translation>%1 は過ぎています。Set を選ぶ前に後の時刻を設定してください。</translation>
    </message>
    <message>
        <source>Starts %1, then %2</source>
        <translation>%1に起動、以後%2</translation>
    </message>
    <message>
        <source>Starts once %1</source>
        <translation>%1に1回だけ起動</translation>
    </message>
    <message>
        <source>Moved on to %1: the time you set had passed. %2</source>
        <translation>設定した時刻が過ぎていたため、%1 へ進めました。%2</translation>
    </message>
    <message>
        <source>Once Set: %1</source>
        <translation>Set すると: %1</translation>
    </message>
    <message>
        <source>Nothing will start: the command is empty. Release, type a command, and Set again.</source>
        <translation>何も起動しません: コマンドが空です。Release してコマンドを入力し、もう一度 Set してください。</translation>
    </message>
    <message>
        <source>%1; it is looked for again at each start. %2</source>
        <translation>%1。起動のたびに改めて探します。%2</translation>
    </message>
</context>
<context>
    <name>Output</name>
    <message>
        <source>(no output)</source>
        <translation>（出力なし）</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>[options]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Repeats</name>
    <message>
        <source>the count %1 is out of range</source>
        <translation>数 %1 は範囲外です</translation>
    </message>
    <message>
        <source>the count must be more than 0</source>
        <translation>数は 0 より大きくなければなりません</translation>
    </message>
    <message>
        <source>%1 is less than the half second a repeat needs to move on</source>
        <translation>%1 は、繰り返しで先へ進むのに必要な 0.5 秒に足りません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a count and a unit, such as 2h or &quot;10 min&quot;</source>
        <translation>「%1」は 2h や &quot;10 min&quot; のような数と単位ではありません</translation>
    </message>
    <message>
        <source>%1 is not between 1 second and a year</source>
        <translation>%1 は1秒から1年の間ではありません</translation>
    </message>
</context>
<context>
    <name>RunNotices</name>
    <message>
        <source>A command run now failed</source>
        <translation>今すぐ実行したコマンドが失敗しました</translation>
    </message>
    <message>
        <source>A scheduled command failed</source>
        <translation>スケジュールしたコマンドが失敗しました</translation>
    </message>
    <message>
        <source>%1 is running</source>
        <translation>%1 を実行中です</translation>
    </message>
    <message>
        <source>The computer may sleep while it runs: %1.</source>
        <translation>実行中にコンピューターがスリープするかもしれません: %1。</translation>
    </message>
    <message>
        <source>retry %1 of %2 at %3</source>
        <translation>%3 に再試行します（%1/%2）</translation>
    </message>
    <message>
        <source>gave up</source>
        <translation>再試行をあきらめました</translation>
    </message>
    <message>
        <source>gave up until %1</source>
        <translation>%1 まで再試行をあきらめました</translation>
    </message>
    <message>
        <source>stopped after its time limit of %1</source>
        <translation>制限時間 %1 で停止しました</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a command and how it ended: /bin/job exited with status 3</comment>
        <translation>%1 は%2</translation>
    </message>
</context>
<context>
    <name>Schedule</name>
    <message>
        <source>The schedule cannot move on</source>
        <translation>スケジュールを先へ進められません</translation>
    </message>
    <message>
        <source>Run Now started nothing: there is no command. %1</source>
        <translation>今すぐ実行では何も起動しませんでした: コマンドがありません。%1</translation>
    </message>
</context>
<context>
    <name>Spoken</name>
    <message>
        <source>Next activation %1</source>
        <translation>次の起動 %1</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>警告: %1</translation>
    </message>
</context>
<context>
    <name>Start</name>
    <message>
        <source>the command line is too long for the system to start</source>
        <translation>コマンドラインが長すぎてシステムが起動できません</translation>
    </message>
    <message>
        <source>not a program this system can run</source>
        <translation>このシステムで実行できるプログラムではありません</translation>
    </message>
    <message>
        <source>no permission to run it</source>
        <translation>実行する権限がありません</translation>
    </message>
    <message>
        <source>could not prepare its start: %1</source>
        <translation>起動の準備ができませんでした: %1</translation>
    </message>
</context>
<context>
    <name>Starting</name>
    <message>
        <source>Cannot start &quot;%1&quot;: %2</source>
        <translation>「%1」を起動できません: %2</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>ほか %1 件</translation>
    </message>
    <message>
        <source>Cannot start the command: it could mean %1. Put the program&apos;s path in double quotes to say which.</source>
        <translation>コマンドを起動できません: %1 のどれを指すかわかりません。プログラムのパスを二重引用符で囲んで指定してください。</translation>
    </message>
    <message>
        <source> or </source>
        <translation>、</translation>
    </message>
    <message>
        <source>; ~ is not expanded: write the full path</source>
        <translation>。~ は展開されません。完全なパスを書いてください</translation>
    </message>
    <message>
        <source>; $VARIABLES are not expanded: write the full path</source>
        <translation>。$変数 は展開されません。完全なパスを書いてください</translation>
    </message>
    <message>
        <source>no such program on PATH</source>
        <translation>PATH にそのプログラムはありません</translation>
    </message>
    <message>
        <source>no such file in %1, the home folder, where commands start%2</source>
        <translation>コマンドが起動するホームフォルダー %1 にそのファイルはありません%2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>そのファイルはありません</translation>
    </message>
    <message>
        <source>no permission to enter the folder %1</source>
        <translation>フォルダー %1 に入る権限がありません</translation>
    </message>
    <message>
        <source>Cannot start an empty command line</source>
        <translation>空のコマンドラインは起動できません</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>it has no #! line (add #!/bin/sh as its first line)</source>
        <translation>#! 行がありません（1行目に #!/bin/sh を加えてください）</translation>
    </message>
    <message>
        <source>no permission to run it</source>
        <translation>実行する権限がありません</translation>
    </message>
    <message>
        <source>it is no program, and a document opens only as the whole command: remove &quot;%1&quot; after it</source>
        <translation>プログラムではありません。文書はそれだけをコマンドにしたときにのみ開きます: 後ろの「%1」を削除してください</translation>
    </message>
    <message>
        <source>it is no program, and there is no %1 to open it with</source>
        <translation>プログラムではなく、開くための %1 もありません</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>the history&apos;s module could not be loaded: %1</source>
        <translation>履歴のモジュールを読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>フォルダー %1 を作成できませんでした</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2</source>
        <translation>%1 を開けませんでした: %2</translation>
    </message>
    <message>
        <source>%1 could not be set up: %2</source>
        <translation>%1 を準備できませんでした: %2</translation>
    </message>
</context>
<context>
    <name>Timestamp</name>
    <message>
        <source>&quot;%1&quot; is not a date and time</source>
        <translation>「%1」は日時ではありません</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 から %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lies outside %2</source>
        <translation>「%1」は %2 の範囲外です</translation>
    </message>
    <message>
        <source>%1 moved on by %2 lies outside %3</source>
        <translation>%1 を %2 進めると %3 の範囲外になります</translation>
    </message>
</context>
<context>
    <name>Units</name>
    <message>
        <source>%1 second</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>%1 minute</source>
        <translation>%1分</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1分</translation>
    </message>
    <message>
        <source>%1 hour</source>
        <translation>%1時間</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1時間</translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation>%1日</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1日</translation>
    </message>
</context>
<context>
    <name>ventaro::Form1</name>
    <message>
        <source>Run Now</source>
        <translation>今すぐ実行</translation>
    </message>
    <message>
        <source>Kept Schedules…</source>
        <translation>保存されたスケジュール…</translation>
    </message>
    <message>
        <source>Cannot use the dropped file</source>
        <translation>ドロップされたファイルは使えません</translation>
    </message>
</context>
<context>
    <name>ventaro::HistoryWindow</name>
    <message>
        <source>Stop the Selected Run</source>
        <translation>選んだ実行を停止</translation>
    </message>
    <message>
        <source>ventaro: status and starts</source>
        <translation>ventaro: 状態と起動</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Starts of this session, newest first</source>
        <translation>このセッションの起動（新しい順）</translation>
    </message>
    <message>
        <source>When</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Late</source>
        <translation>遅れ</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>プロセス</translation>
    </message>
    <message>
        <source>How it ended</source>
        <translation>終わり方</translation>
    </message>
    <message>
        <source>What the selected run wrote</source>
        <translation>選んだ実行の出力</translation>
    </message>
    <message>
        <source>stopping</source>
        <translation>停止中</translation>
    </message>
    <message>
        <source>running for %1</source>
        <translation>実行中（%1）</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stop process %1</source>
        <translation>プロセス %1 を停止</translation>
    </message>
</context>
<context>
    <name>ventaro::KeptSchedulesWindow</name>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>削除(&amp;R)</translation>
    </message>
    <message>
        <source>Kept Schedules - ventaro</source>
        <translation>保存されたスケジュール - ventaro</translation>
    </message>
    <message>
        <source>Kept schedules</source>
        <translation>保存されたスケジュール</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Next start</source>
        <translation>次の起動</translation>
    </message>
    <message>
        <source>Repeat and options</source>
        <translation>繰り返しとオプション</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Last run</source>
        <translation>前回の実行</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>ウィンドウ</translation>
    </message>
    <message>
        <source>Open the Selected Schedule</source>
        <translation>選んだスケジュールを開く</translation>
    </message>
    <message>
        <source>Remove the Selected Schedule</source>
        <translation>選んだスケジュールを削除</translation>
    </message>
    <message>
        <source>none kept</source>
        <translation>記録なし</translation>
    </message>
    <message>
        <source>runs</source>
        <translation>実行中</translation>
    </message>
    <message>
        <source>closed</source>
        <translation>閉じています</translation>
    </message>
    <message>
        <source>No schedule is kept: tick Start at Login in a window to keep its schedule.</source>
        <translation>保存されたスケジュールはありません。ウィンドウで「ログイン時に起動」にチェックを入れると、そのスケジュールが保存されます。</translation>
    </message>
    <message>
        <source>The window of %1 runs already.</source>
        <translation>%1 のウィンドウはすでに実行中です。</translation>
    </message>
    <message>
        <source>%1 could not be started.</source>
        <translation>%1 を起動できませんでした。</translation>
    </message>
    <message>
        <source>Started the window of %1.</source>
        <translation>%1 のウィンドウを起動しました。</translation>
    </message>
    <message>
        <source>Remove the kept schedule %1 and its history?</source>
        <translation>保存されたスケジュール %1 とその履歴を削除しますか？</translation>
    </message>
    <message>
        <source>Removed %1 and its history.</source>
        <translation>%1 とその履歴を削除しました。</translation>
    </message>
    <message>
        <source>Cannot remove %1: %2</source>
        <translation>%1 を削除できません: %2</translation>
    </message>
</context>
<context>
    <name>ventaro::LoginItem</name>
    <message>
        <source>Start at Login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Cannot stop starting at login</source>
        <translation>ログイン時の起動をやめられません</translation>
    </message>
    <message>
        <source>Cannot keep the login entry up to date</source>
        <translation>ログイン項目を最新に保てません</translation>
    </message>
    <message>
        <source>Cannot start at login</source>
        <translation>ログイン時に起動できません</translation>
    </message>
    <message>
        <source>%1; the entry keeps the schedule it had</source>
        <translation>%1。項目は以前のスケジュールのままです</translation>
    </message>
    <message>
        <source>Cannot read the run history</source>
        <translation>実行履歴を読み込めません</translation>
    </message>
    <message>
        <source>Delete the run history? - ventaro</source>
        <translation>実行履歴を削除しますか？ - ventaro</translation>
    </message>
    <message>
        <source>This schedule no longer starts at login. Delete its run history too?</source>
        <translation>このスケジュールはログイン時に起動しなくなりました。実行履歴も削除しますか？</translation>
    </message>
    <message>
        <source>Cannot delete the run history</source>
        <translation>実行履歴を削除できません</translation>
    </message>
</context>
<context>
    <name>ventaro::MessageWindow</name>
    <message>
        <source>Show Starts</source>
        <translation>起動を表示</translation>
    </message>
</context>
<context>
    <name>ventaro::OvernightOptions</name>
    <message>
        <source>One at a Time</source>
        <translation>一度に一つだけ実行</translation>
    </message>
    <message>
        <source>Catch Up Missed Start</source>
        <translation>逃した起動を後で実行</translation>
    </message>
    <message>
        <source>Keep Awake While Running</source>
        <translation>実行中はスリープさせない</translation>
    </message>
    <message>
        <source>Stop After %1…</source>
        <translation>%1後に停止…</translation>
    </message>
    <message>
        <source>Stop After…</source>
        <translation>一定時間後に停止…</translation>
    </message>
    <message>
        <source>Retry After Failure (%1 times, %2 apart)…</source>
        <translation>失敗時に再試行（%1回、%2間隔）…</translation>
    </message>
    <message>
        <source>Retry After Failure…</source>
        <translation>失敗時に再試行…</translation>
    </message>
</context>
<context>
    <name>ventaro::RunLimitsDialog</name>
    <message>
        <source>Stop After and Retry - ventaro</source>
        <translation>停止と再試行 - ventaro</translation>
    </message>
    <message>
        <source>never: 2h, 30 min</source>
        <translation>しない: 2h、30 min</translation>
    </message>
    <message>
        <source>never</source>
        <translation>しない</translation>
    </message>
    <message>
        <source>Stop a run still going &amp;after:</source>
        <translation>実行を停止するまでの時間(&amp;A):</translation>
    </message>
    <message>
        <source>&amp;Retry a failed run (times):</source>
        <translation>失敗した実行の再試行回数(&amp;R):</translation>
    </message>
    <message>
        <source>&amp;Wait before each retry:</source>
        <translation>再試行までの待ち時間(&amp;W):</translation>
    </message>
    <message>
        <source>Stop after: %1</source>
        <translation>停止までの時間: %1</translation>
    </message>
    <message>
        <source>Wait: %1</source>
        <translation>待ち時間: %1</translation>
    </message>
</context>
</TS>
